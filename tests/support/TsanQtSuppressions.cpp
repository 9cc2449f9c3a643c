// Qt is not built with ThreadSanitizer: its own thread pool's hand-offs (the raster painting of
// offscreen widgets) look like races to it. Allocation and locking called from inside Qt are
// left out of the reports; races in the tool's own code are still reported.
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n";
}
#endif
#endif

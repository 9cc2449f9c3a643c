// Qt is not built with ThreadSanitizer: its own thread pool's hand-offs (the raster painting of
// offscreen widgets) look like races to it. Allocation and locking called from inside Qt are
// left out of the reports; races in the tool's own code are still reported. GLib, under Qt's
// event dispatcher, is not instrumented either: its threads' main contexts are allocated on one
// thread and freed on another with no hand-off the sanitizer can see.
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libglib-2.0.so.0\n";
}
#endif
#endif

// Preloaded into the program under an X server (LD_PRELOAD), counts the image uploads it sends
// and their pixels: both ways Qt brings its backing store to a window, shared-memory puts and
// plain puts (xcb_image_put goes through xcb_put_image), are passed on unchanged.
//
// The counts live in the file named by ZOLT_PIXEL_COUNTER: two unsigned 64-bit numbers, puts and
// pixels, kept current, so that a script can read them at any moment.
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

struct Counts {
    std::atomic<std::uint64_t> puts;
    std::atomic<std::uint64_t> pixels;
};

Counts* Shared()
{
    static Counts* const counts = [] {
        const char* path = std::getenv("ZOLT_PIXEL_COUNTER");
        if (path == nullptr)
            return static_cast<Counts*>(nullptr);
        const int fd = ::open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0 || ::ftruncate(fd, sizeof(Counts)) != 0)
            return static_cast<Counts*>(nullptr);
        void* mapped = ::mmap(nullptr, sizeof(Counts), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        ::close(fd);
        return mapped == MAP_FAILED ? nullptr : static_cast<Counts*>(mapped);
    }();
    return counts;
}

void Count(std::uint64_t pixels)
{
    if (Counts* counts = Shared()) {
        counts->puts.fetch_add(1, std::memory_order_relaxed);
        counts->pixels.fetch_add(pixels, std::memory_order_relaxed);
    }
}

// The real function, from the library that holds it: Qt's platform plugin loads the xcb
// libraries privately, where RTLD_NEXT does not look.
template <typename Function>
Function Next(const char* library, const char* name)
{
    void* handle = ::dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
    void* function = handle != nullptr ? ::dlsym(handle, name) : ::dlsym(RTLD_NEXT, name);
    return reinterpret_cast<Function>(function);
}

}  // namespace

extern "C" {

struct xcb_connection_t;
struct xcb_void_cookie_t {
    unsigned int sequence;
};

xcb_void_cookie_t xcb_shm_put_image(xcb_connection_t* c, std::uint32_t drawable, std::uint32_t gc,
                                    std::uint16_t total_width, std::uint16_t total_height,
                                    std::uint16_t src_x, std::uint16_t src_y,
                                    std::uint16_t src_width, std::uint16_t src_height,
                                    std::int16_t dst_x, std::int16_t dst_y, std::uint8_t depth,
                                    std::uint8_t format, std::uint8_t send_event,
                                    std::uint32_t shmseg, std::uint32_t offset)
{
    static const auto next =
        Next<decltype(&xcb_shm_put_image)>("libxcb-shm.so.0", "xcb_shm_put_image");
    Count(std::uint64_t(src_width) * src_height);
    return next(c, drawable, gc, total_width, total_height, src_x, src_y, src_width, src_height,
                dst_x, dst_y, depth, format, send_event, shmseg, offset);
}

xcb_void_cookie_t xcb_put_image(xcb_connection_t* c, std::uint8_t format, std::uint32_t drawable,
                                std::uint32_t gc, std::uint16_t width, std::uint16_t height,
                                std::int16_t dst_x, std::int16_t dst_y, std::uint8_t left_pad,
                                std::uint8_t depth, std::uint32_t data_len,
                                const std::uint8_t* data)
{
    static const auto next = Next<decltype(&xcb_put_image)>("libxcb.so.1", "xcb_put_image");
    Count(std::uint64_t(width) * height);
    return next(c, format, drawable, gc, width, height, dst_x, dst_y, left_pad, depth, data_len,
                data);
}

}  // extern "C"

#include <Magick++.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>

#include "core/media/picture_view.h"
#include "gui/media/magick_module.h"

namespace cardwise::gui {
namespace {

// A picture wider or higher than this is refused by the library itself.
constexpr std::int64_t kMaxPictureSide = 65536;
// A metafile is drawn with at most this many pixels (2048 x 2048), above any screen.
constexpr std::int64_t kMaxMetafilePixels = 2048 * 2048;
// What GraphicsMagick may hold for one picture: 64 megapixels of 8 bytes (16 bits a
// channel), and a little more.
constexpr std::int64_t kMagickMemoryBytes = kMaxPicturePixels * 8 + (64 << 20);

void start() {
    static std::once_flag started;
    std::call_once(started, [] {
        // The program's own signal handling stays in place: the library must not quit
        // the program on SIGTERM or SIGINT.
        MagickLib::ExceptionInfo exception;
        MagickLib::GetExceptionInfo(&exception);
        MagickLib::InitializeMagickEx(nullptr, MAGICK_OPT_NO_SIGNAL_HANDER, &exception);
        MagickLib::DestroyExceptionInfo(&exception);
        // A file that declares a huge picture (a few kilobytes of compressed nothing can
        // claim gigapixels) fails in the library instead of taking the memory: no more
        // pixels than the program shows, no side longer than kMaxPictureSide, pixels held
        // in memory only (never in a temporary file) and no more of it than the largest
        // picture needs at 16 bits a channel.
        using namespace MagickLib;
        SetMagickResourceLimit(PixelsResource, kMaxPicturePixels);
        SetMagickResourceLimit(WidthResource, kMaxPictureSide);
        SetMagickResourceLimit(HeightResource, kMaxPictureSide);
        SetMagickResourceLimit(MemoryResource, kMagickMemoryBytes);
        SetMagickResourceLimit(MapResource, kMagickMemoryBytes);
        SetMagickResourceLimit(DiskResource, 0);
        SetMagickResourceLimit(ReadResource, kMagickMemoryBytes);
    });
}

// The dots per inch at which a metafile is drawn: 96, as Windows shows it on a screen (not
// the library's default of 72), or fewer when that would be larger than
// kMaxMetafilePixels. A metafile of a few bytes can declare any size, and drawing it that
// large takes seconds and a gigabyte; drawn smaller, the picture is only scaled down.
double metafileDensity(const Magick::Blob& blob) {
    Magick::Image probe;
    probe.magick("WMF");
    probe.density(Magick::Geometry(96, 96));
    try {
        probe.ping(blob);
    } catch (const Magick::Warning&) {
    }
    const double pixels = static_cast<double>(probe.columns()) * static_cast<double>(probe.rows());
    if (pixels <= static_cast<double>(kMaxMetafilePixels)) return 96;
    return std::max(1.0, 96 * std::sqrt(static_cast<double>(kMaxMetafilePixels) / pixels));
}

Magick::Image magickImage(const char* bytes, std::size_t size, const std::string& name,
                          bool headerOnly) {
    start();
    const bool metafile = name == "WMF";
    const Magick::Blob blob(bytes, size);
    Magick::Image image;
    image.magick(name);
    if (metafile) image.density(Magick::Geometry(96, 96));
    try {
        image.ping(blob);
    } catch (const Magick::Warning&) {
        // A warning still leaves a usable picture.
    }
    // The library picks its coder by the content whatever it was told: a file named .gif
    // that holds a metafile, a PostScript or a drawing language is not this format.
    if (image.magick().rfind(name, 0) != 0) {
        throw Magick::ErrorCorruptImage("the content is " + image.magick() + ", not " + name);
    }
    if (headerOnly) return image;
    image = Magick::Image();
    image.magick(name);
    if (metafile) {
        const auto dpi = static_cast<unsigned>(metafileDensity(blob));
        image.density(Magick::Geometry(dpi, dpi));
    }
    try {
        image.read(blob);
    } catch (const Magick::Warning&) {
    }
    return image;
}

bool measure(const char* bytes, std::size_t size, const char* format, std::int64_t* width,
             std::int64_t* height) {
    try {
        Magick::Image image = magickImage(bytes, size, format, true);
        if (image.columns() == 0 || image.rows() == 0) return false;
        *width = static_cast<std::int64_t>(image.columns());
        *height = static_cast<std::int64_t>(image.rows());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool decode(const char* bytes, std::size_t size, const char* format, std::int64_t maxPixels,
            MagickPixels* pixels) {
    try {
        Magick::Image image = magickImage(bytes, size, format, false);
        const auto w = static_cast<int>(image.columns());
        const auto h = static_cast<int>(image.rows());
        if (w <= 0 || h <= 0 || static_cast<std::int64_t>(w) * h > maxPixels) return false;
        unsigned char* room = pixels->reserve(w, h);
        if (room == nullptr) return false;
        image.write(0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h), "RGBA",
                    Magick::CharPixel, room);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

constexpr MagickModule kModule{&measure, &decode};

}  // namespace
}  // namespace cardwise::gui

extern "C" __attribute__((visibility("default"))) const cardwise::gui::MagickModule*
cardwise_magick_module() {
    return &cardwise::gui::kModule;
}

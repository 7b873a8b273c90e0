#include "gui/media/qt_image_decoder.h"

#include <Magick++.h>

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <mutex>

#include "core/media/picture_view.h"

namespace cardwise::gui {
namespace {

const char* qtFormatName(PictureFormat format) {
    switch (format) {
        case PictureFormat::Bmp:
            return "bmp";
        case PictureFormat::Jpg:
            return "jpg";
        case PictureFormat::Gif:
            return "gif";
        case PictureFormat::Ico:
            return "ico";
        case PictureFormat::Png:
            return "png";
        case PictureFormat::Pcx:
        case PictureFormat::Wmf:
        case PictureFormat::Unknown:
            break;
    }
    return nullptr;
}

const char* magickFormatName(PictureFormat format) {
    switch (format) {
        case PictureFormat::Pcx:
            return "PCX";
        case PictureFormat::Wmf:
            return "WMF";
        case PictureFormat::Bmp:
            return "BMP";
        case PictureFormat::Jpg:
            return "JPEG";
        case PictureFormat::Gif:
            return "GIF";
        case PictureFormat::Ico:
            return "ICO";
        case PictureFormat::Png:
            return "PNG";
        case PictureFormat::Unknown:
            break;
    }
    return nullptr;
}

// A picture wider or higher than this is refused by the decoders themselves.
constexpr std::int64_t kMaxPictureSide = 65536;
// A metafile is drawn with at most this many pixels (2048 x 2048), above any screen.
constexpr std::int64_t kMaxMetafilePixels = 2048 * 2048;
// What GraphicsMagick may hold for one picture: 64 megapixels of 8 bytes (16 bits a
// channel), and a little more.
constexpr std::int64_t kMagickMemoryBytes = kMaxPicturePixels * 8 + (64 << 20);
constexpr int kQtAllocationLimitMB = static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024) + 16);

// Reads through a buffer over the bytes: the file was read by the core's file system.
struct QtReader {
    QByteArray data;
    QBuffer buffer;
    QImageReader reader;

    QtReader(std::string_view bytes, const char* format)
        : data(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))) {
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
        reader.setFormat(format);
        reader.setDecideFormatFromContent(false);
        reader.setAutoTransform(true);
    }
};

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

Magick::Image magickImage(std::string_view bytes, PictureFormat format, bool headerOnly) {
    const std::string name = magickFormatName(format);
    const Magick::Blob blob(bytes.data(), bytes.size());
    Magick::Image image;
    image.magick(name);
    if (format == PictureFormat::Wmf) image.density(Magick::Geometry(96, 96));
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
    if (format == PictureFormat::Wmf) {
        const auto dpi = static_cast<unsigned>(metafileDensity(blob));
        image.density(Magick::Geometry(dpi, dpi));
    }
    try {
        image.read(blob);
    } catch (const Magick::Warning&) {
    }
    return image;
}

}  // namespace

QtImageDecoder::QtImageDecoder() {
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
    // Qt's readers refuse any picture whose pixels would take more than this (the largest
    // picture let through: 64 megapixels of 4 bytes), before they allocate.
    QImageReader::setAllocationLimit(kQtAllocationLimitMB);
}

std::optional<PictureSize> QtImageDecoder::measure(std::string_view bytes,
                                                   PictureFormat format) const {
    if (const char* name = qtFormatName(format)) {
        QtReader qt(bytes, name);
        const QSize size = qt.reader.size();
        if (size.isValid()) return PictureSize{size.width(), size.height()};
    }
    if (magickFormatName(format) == nullptr) return std::nullopt;
    try {
        Magick::Image image = magickImage(bytes, format, true);
        if (image.columns() == 0 || image.rows() == 0) return std::nullopt;
        return PictureSize{static_cast<std::int64_t>(image.columns()),
                           static_cast<std::int64_t>(image.rows())};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<DecodedPicture> QtImageDecoder::decode(std::string_view bytes,
                                                     PictureFormat format) const {
    QImage decoded;
    if (const char* name = qtFormatName(format)) {
        QtReader qt(bytes, name);
        decoded = qt.reader.read();
    }
    if (decoded.isNull() && magickFormatName(format) != nullptr) {
        try {
            Magick::Image image = magickImage(bytes, format, false);
            const auto w = static_cast<int>(image.columns());
            const auto h = static_cast<int>(image.rows());
            if (w > 0 && h > 0 && static_cast<std::int64_t>(w) * h <= kMaxPicturePixels) {
                QImage pixels(w, h, QImage::Format_RGBA8888);
                if (!pixels.isNull()) {
                    image.write(0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h), "RGBA",
                                Magick::CharPixel, pixels.bits());
                    decoded = std::move(pixels);
                }
            }
        } catch (const std::exception&) {
            decoded = QImage();
        }
    }
    if (decoded.isNull()) return std::nullopt;
    auto image = std::make_shared<const QImage>(std::move(decoded));
    return DecodedPicture{PictureSize{image->width(), image->height()}, image};
}

QImage imageOf(const DecodedPicture& picture) {
    // Only this decoder puts pixels into pictures the front end shows.
    const auto image = std::static_pointer_cast<const QImage>(picture.pixels);
    return image ? *image : QImage();
}

}  // namespace cardwise::gui

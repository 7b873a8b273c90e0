#include "gui/media/qt_image_decoder.h"

#include <QBuffer>
#include <QImageReader>

#include "core/media/picture_view.h"
#include "gui/media/module_library.h"

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

// Pixels into a QImage of the picture's size.
class ImagePixels final : public MagickPixels {
  public:
    unsigned char* reserve(int width, int height) override {
        image = QImage(width, height, QImage::Format_RGBA8888);
        return image.isNull() ? nullptr : image.bits();
    }
    QImage image;
};

}  // namespace

QtImageDecoder::QtImageDecoder(MagickModuleEntry linked) : linked_(linked) {
    // Qt's readers refuse any picture whose pixels would take more than this (the largest
    // picture let through: 64 megapixels of 4 bytes), before they allocate.
    QImageReader::setAllocationLimit(kQtAllocationLimitMB);
}

QtImageDecoder::~QtImageDecoder() = default;

const MagickModule* QtImageDecoder::magick() const {
    if (magickTried_) return magick_;
    magickTried_ = true;
    if (linked_ != nullptr) return magick_ = linked_();
    QString errors;
    if (auto entry = reinterpret_cast<MagickModuleEntry>(
            loadModuleEntry(CARDWISE_MAGICK_MODULE_FROM_BIN, CARDWISE_MAGICK_MODULE_BUILT,
                            kMagickModuleEntry, library_, errors))) {
        return magick_ = entry();
    }
    qWarning("cardwise: PCX and WMF pictures cannot be shown: %s", qPrintable(errors));
    return nullptr;
}

std::optional<PictureSize> QtImageDecoder::measure(std::string_view bytes,
                                                   PictureFormat format) const {
    if (const char* name = qtFormatName(format)) {
        QtReader qt(bytes, name);
        const QSize size = qt.reader.size();
        if (size.isValid()) return PictureSize{size.width(), size.height()};
    }
    const char* name = magickFormatName(format);
    const MagickModule* module = name != nullptr ? magick() : nullptr;
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (module == nullptr || !module->measure(bytes.data(), bytes.size(), name, &width, &height)) {
        return std::nullopt;
    }
    return PictureSize{width, height};
}

std::optional<DecodedPicture> QtImageDecoder::decode(std::string_view bytes,
                                                     PictureFormat format) const {
    QImage decoded;
    if (const char* name = qtFormatName(format)) {
        QtReader qt(bytes, name);
        decoded = qt.reader.read();
    }
    const char* name = decoded.isNull() ? magickFormatName(format) : nullptr;
    if (const MagickModule* module = name != nullptr ? magick() : nullptr) {
        ImagePixels pixels;
        if (module->decode(bytes.data(), bytes.size(), name, kMaxPicturePixels, &pixels)) {
            decoded = std::move(pixels.image);
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

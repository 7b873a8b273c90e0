#include "core/media/picture_view.h"

#include <algorithm>
#include <array>

#include "core/profile/profile.h"

namespace cardwise {

PictureView pictureViewFor(const std::string& pictureFile, std::int32_t NoScale) {
    if (pictureFile.empty()) return {};
    return PictureView{true, NoScale == 1 ? PictureFit::NaturalSize : PictureFit::Fitted,
                       pictureFile};
}

PicturePlacement placePicture(PictureSize picture, WindowSize area, PictureFit fit) {
    PicturePlacement placement;
    placement.content = area;
    if (picture.width <= 0 || picture.height <= 0 || area.width <= 0 || area.height <= 0) {
        return placement;
    }
    std::int64_t width = picture.width;
    std::int64_t height = picture.height;
    if (fit == PictureFit::Fitted) {
        // Compare the two ratios by cross-multiplying: no rounding decides the side.
        if (picture.width * area.height >= picture.height * area.width) {
            width = area.width;
            height = std::max<std::int64_t>(1, picture.height * area.width / picture.width);
        } else {
            height = area.height;
            width = std::max<std::int64_t>(1, picture.width * area.height / picture.height);
        }
    }
    const int w = static_cast<int>(std::min<std::int64_t>(width, kMaxPicturePixels));
    const int h = static_cast<int>(std::min<std::int64_t>(height, kMaxPicturePixels));
    placement.content = WindowSize{std::max(area.width, w), std::max(area.height, h)};
    placement.picture =
        Rect{(placement.content.width - w) / 2, (placement.content.height - h) / 2, w, h};
    return placement;
}

namespace {

struct Signature {
    std::string_view bytes;
    PictureFormat format;
};

PictureFormat formatByContent(std::string_view bytes) {
    using namespace std::string_view_literals;
    static constexpr std::array<Signature, 8> kSignatures = {{
        {"BM"sv, PictureFormat::Bmp},
        {"\xFF\xD8\xFF"sv, PictureFormat::Jpg},
        {"GIF87a"sv, PictureFormat::Gif},
        {"GIF89a"sv, PictureFormat::Gif},
        {"\x89PNG\r\n\x1A\n"sv, PictureFormat::Png},
        {"\0\0\1\0"sv, PictureFormat::Ico},
        {"\xD7\xCD\xC6\x9A"sv, PictureFormat::Wmf},  // placeable metafile
        {"\1\0\x09\0"sv, PictureFormat::Wmf},        // plain metafile header
    }};
    for (const Signature& s : kSignatures) {
        if (bytes.substr(0, s.bytes.size()) == s.bytes) return s.format;
    }
    // PCX: manufacturer 10, a known version, encoding 0 or 1, a known bit depth.
    if (bytes.size() >= 128 && bytes[0] == '\x0A' && bytes[1] >= 0 && bytes[1] <= 5 &&
        (bytes[2] == 0 || bytes[2] == 1) &&
        (bytes[3] == 1 || bytes[3] == 2 || bytes[3] == 4 || bytes[3] == 8)) {
        return PictureFormat::Pcx;
    }
    return PictureFormat::Unknown;
}

}  // namespace

PictureFormat pictureFormatOf(std::string_view path, std::string_view bytes) {
    const std::size_t dot = path.rfind('.');
    const std::string_view extension =
        dot == std::string_view::npos ? std::string_view() : path.substr(dot);
    static constexpr std::array<std::pair<std::string_view, PictureFormat>, 7> kExtensions = {{
        {".BMP", PictureFormat::Bmp},
        {".JPG", PictureFormat::Jpg},
        {".GIF", PictureFormat::Gif},
        {".ICO", PictureFormat::Ico},
        {".PNG", PictureFormat::Png},
        {".PCX", PictureFormat::Pcx},
        {".WMF", PictureFormat::Wmf},
    }};
    for (const auto& [name, format] : kExtensions) {
        if (equalsIgnoreCase(extension, name)) return format;
    }
    return formatByContent(bytes);
}

std::string_view decodeFailureText(PictureFormat format) {
    switch (format) {
        case PictureFormat::Bmp:
            return "Reading bmp file failed";
        case PictureFormat::Jpg:
            return "Reading jpg file failed";
        case PictureFormat::Png:
            return "Reading png file failed";
        case PictureFormat::Gif:
            return "Reading gif file failed";
        case PictureFormat::Pcx:
            return "Reading pcx file failed";
        case PictureFormat::Ico:
        case PictureFormat::Wmf:
        case PictureFormat::Unknown:
            break;
    }
    return "Reading resource file failed";
}

std::optional<DecodedPicture> loadPicture(UserInterface& ui, const FileSystem& files,
                                          const ImageDecoder& decoder, const std::string& path) {
    auto refuse = [&](std::string_view reason) -> std::optional<DecodedPicture> {
        ui.message(kPictureErrorCaption, std::string(reason) + ": " + path, Icon::Error);
        return std::nullopt;
    };
    const BoundedRead read = readFileUpTo(files, path, kMaxPictureFileBytes);
    if (read.tooLarge) return refuse("The picture file is larger than 64 MB");
    const std::optional<std::string>& bytes = read.bytes;
    const PictureFormat format = pictureFormatOf(path, bytes.value_or(""));
    if (!bytes || format == PictureFormat::Unknown) return refuse(decodeFailureText(format));
    const std::optional<PictureSize> size = decoder.measure(*bytes, format);
    if (!size || size->width <= 0 || size->height <= 0) return refuse(decodeFailureText(format));
    // Each side is checked first so that the product cannot overflow.
    if (size->width > kMaxPicturePixels || size->height > kMaxPicturePixels ||
        size->width * size->height > kMaxPicturePixels) {
        return refuse("The picture is larger than 64 megapixels (" + std::to_string(size->width) +
                      " x " + std::to_string(size->height) + ")");
    }
    std::optional<DecodedPicture> picture = decoder.decode(*bytes, format);
    if (!picture || !picture->pixels) return refuse(decodeFailureText(format));
    return picture;
}

}  // namespace cardwise

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/file_system.h"
#include "core/platform/geometry.h"
#include "core/platform/image_decoder.h"
#include "core/platform/user_interface.h"

namespace cardwise {

// How a picture sits in its area: scaled to fit keeping its proportions, or at its own
// size (NoScale 1); centred either way.
enum class PictureFit { Fitted, NaturalSize };

// What a drill window's picture component shows for a side.
struct PictureView {
    bool visible = false;
    PictureFit fit = PictureFit::Fitted;
    std::string file;  // the file found by the one lookup
    bool operator==(const PictureView&) const = default;
};

// Hidden without a file (none referenced, or the check failed and said so).
PictureView pictureViewFor(const std::string& pictureFile, std::int32_t NoScale);

// Where the picture is drawn inside an area of the given size, and how large the scrolled
// content is: a natural-size picture larger than the area makes the content larger, with
// the picture at its top left in that dimension so that all of it can be scrolled to.
struct PicturePlacement {
    Rect picture;
    WindowSize content;
    bool operator==(const PicturePlacement&) const = default;
};
PicturePlacement placePicture(PictureSize picture, WindowSize area, PictureFit fit);

// Pictures with more pixels are refused before decoding: their pixels alone would take
// hundreds of megabytes.
inline constexpr std::int64_t kMaxPicturePixels = 64'000'000;

// Picture files larger than this are not read: far above any picture a deck shows (a
// 64-megapixel photograph is a few megabytes as a JPEG), below what would strain memory.
inline constexpr std::uint64_t kMaxPictureFileBytes = 64ull << 20;

// The format by the reference's extension; ".SCM" and ".CMS" files by their content (the
// signature of a known format), Unknown when it is none.
PictureFormat pictureFormatOf(std::string_view path, std::string_view bytes);

// The image component's error text for a file of the format it could not read.
std::string_view decodeFailureText(PictureFormat format);

inline constexpr std::string_view kPictureErrorCaption = "Graphics File Error";

// Reads the file through the file system and decodes it. A file that cannot be read (a
// folder, a FIFO or a device among them), one larger than kMaxPictureFileBytes (not read at
// all), one that holds no picture of its format, or one larger than kMaxPicturePixels, is
// reported in an error box naming the file and gives nothing; the caller goes on without
// the picture.
std::optional<DecodedPicture> loadPicture(UserInterface& ui, const FileSystem& files,
                                          const ImageDecoder& decoder, const std::string& path);

}  // namespace cardwise

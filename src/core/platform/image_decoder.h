#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace cardwise {

// The picture formats the program reads; which one a file holds is decided by the core
// (pictureFormatOf), the decoding itself by the front end.
enum class PictureFormat { Bmp, Jpg, Gif, Ico, Png, Pcx, Wmf, Unknown };

struct PictureSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool operator==(const PictureSize&) const = default;
};

// A decoded picture. The pixels belong to the front end that decoded them; the core only
// hands them on to the window that shows them.
struct DecodedPicture {
    PictureSize size;
    std::shared_ptr<const void> pixels;
};

// Turns a picture file's bytes into pixels.
class ImageDecoder {
  public:
    virtual ~ImageDecoder() = default;
    // The pixel size from the file's header alone, without decoding; nothing when the
    // bytes are not a picture of that format the decoder knows.
    virtual std::optional<PictureSize> measure(std::string_view bytes,
                                               PictureFormat format) const = 0;
    virtual std::optional<DecodedPicture> decode(std::string_view bytes,
                                                 PictureFormat format) const = 0;
};

// For a front end that shows no pictures (a terminal): nothing is ever decoded.
class NoImageDecoder final : public ImageDecoder {
  public:
    std::optional<PictureSize> measure(std::string_view, PictureFormat) const override {
        return std::nullopt;
    }
    std::optional<DecodedPicture> decode(std::string_view, PictureFormat) const override {
        return std::nullopt;
    }
};

}  // namespace cardwise

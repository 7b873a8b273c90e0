#pragma once

#include <cstddef>
#include <cstdint>

namespace cardwise::gui {

// Where a decoded picture's pixels go: the module asks for room once it knows the size.
class MagickPixels {
  public:
    // Room for width x height RGBA pixels, 4 bytes each; null refuses the picture.
    virtual unsigned char* reserve(int width, int height) = 0;

  protected:
    ~MagickPixels() = default;
};

// GraphicsMagick for the formats Qt cannot read (PCX, WMF), in a module of its own that is
// loaded on the first such picture: the library and its twenty-odd dependencies would
// otherwise cost every start time and memory, and most decks never need them.
struct MagickModule {
    // The picture's size from its header; false when the bytes are not a picture of the
    // format (a GraphicsMagick name: "PCX", "WMF", "BMP", ...).
    bool (*measure)(const char* bytes, std::size_t size, const char* format, std::int64_t* width,
                    std::int64_t* height);
    // The picture's pixels, at most maxPixels of them; false when it cannot be read.
    bool (*decode)(const char* bytes, std::size_t size, const char* format, std::int64_t maxPixels,
                   MagickPixels* pixels);
};

using MagickModuleEntry = const MagickModule* (*)();
inline constexpr const char* kMagickModuleEntry = "cardwise_magick_module";

}  // namespace cardwise::gui

// The module's one exported symbol; linked in directly where no module is loaded (fuzzing).
extern "C" const cardwise::gui::MagickModule* cardwise_magick_module();

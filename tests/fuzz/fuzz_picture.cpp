// Any bytes as a picture file, through the program's own loading path: the file read with
// its size cap, the format chosen by the extension (or by content for ".cms"), the size
// measured, then Qt's reader with its allocation limit and the GraphicsMagick fallback
// with its resource limits. The first byte picks the extension. Either a picture within
// 64 megapixels comes back, or one error box was shown; nothing crashes or takes more
// memory than the fuzzer's limit.
#include <QGuiApplication>
#include <QImage>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/media/picture_view.h"
#include "fuzz/fuzz_support.h"
#include "gui/media/qt_image_decoder.h"

namespace {

using namespace cardwise;
using fuzzing::require;

constexpr std::array<std::string_view, 8> kExtensions = {".bmp", ".jpg", ".gif", ".ico",
                                                         ".png", ".pcx", ".wmf", ".cms"};

struct Loader {
    fuzzing::MemoryFileSystem files;
    fuzzing::QuietUserInterface ui;
    gui::QtImageDecoder decoder{cardwise_magick_module};

    std::optional<DecodedPicture> load(std::string_view extension, std::string_view bytes) {
        const std::string path = "/deck/picture" + std::string(extension);
        files.files[path] = std::string(bytes);
        return loadPicture(ui, files, decoder, path);
    }
};

Loader* loader = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    loader = new Loader;
    // The image plugins and the library's coders are loaded once here, so that what they
    // keep for the rest of the run is not taken for a leak of the first input.
    for (std::string_view extension : kExtensions) loader->load(extension, "");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view extension = kExtensions[data[0] % kExtensions.size()];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t boxes = loader->ui.boxCount;
    const std::optional<DecodedPicture> picture = loader->load(extension, bytes);
    if (!picture) {
        require(loader->ui.boxCount == boxes + 1);
        require(loader->ui.lastCaption == kPictureErrorCaption);
        return 0;
    }
    require(loader->ui.boxCount == boxes);
    const QImage image = gui::imageOf(*picture);
    require(!image.isNull());
    require(image.width() == picture->size.width && image.height() == picture->size.height);
    require(std::int64_t{image.width()} * image.height() <= kMaxPicturePixels);
    return 0;
}

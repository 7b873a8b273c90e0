#pragma once

#include <QImage>

#include <memory>

#include "core/platform/image_decoder.h"
#include "gui/media/magick_module.h"

class QLibrary;

namespace cardwise::gui {

// Decodes BMP, JPG, GIF, ICO and PNG with Qt's image readers, PCX, WMF and whatever Qt
// cannot read with GraphicsMagick, whose module is loaded on the first such picture.
class QtImageDecoder final : public ImageDecoder {
  public:
    // `linked`: the module's entry where it is linked in rather than loaded.
    explicit QtImageDecoder(MagickModuleEntry linked = nullptr);
    ~QtImageDecoder() override;
    QtImageDecoder(const QtImageDecoder&) = delete;
    QtImageDecoder& operator=(const QtImageDecoder&) = delete;

    std::optional<PictureSize> measure(std::string_view bytes, PictureFormat format) const override;
    std::optional<DecodedPicture> decode(std::string_view bytes,
                                         PictureFormat format) const override;

  private:
    // Null when the module cannot be loaded: those pictures are then not shown.
    const MagickModule* magick() const;
    MagickModuleEntry linked_;
    mutable bool magickTried_ = false;
    mutable const MagickModule* magick_ = nullptr;
    mutable std::unique_ptr<QLibrary> library_;
};

// The image inside a picture this decoder made; a null image for any other.
QImage imageOf(const DecodedPicture& picture);

}  // namespace cardwise::gui

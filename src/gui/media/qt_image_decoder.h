#pragma once

#include <QImage>

#include "core/platform/image_decoder.h"

namespace cardwise::gui {

// Decodes BMP, JPG, GIF, ICO and PNG with Qt's image readers, PCX, WMF and whatever Qt
// cannot read with GraphicsMagick.
class QtImageDecoder final : public ImageDecoder {
  public:
    QtImageDecoder();

    std::optional<PictureSize> measure(std::string_view bytes, PictureFormat format) const override;
    std::optional<DecodedPicture> decode(std::string_view bytes,
                                         PictureFormat format) const override;
};

// The image inside a picture this decoder made; a null image for any other.
QImage imageOf(const DecodedPicture& picture);

}  // namespace cardwise::gui

#pragma once
// Pictures of one size read by index, such as the images actions show. The layers above
// keep the pictures; this side only reads them.
#include "platform/Geometry.h"
#include "platform/PixelView.h"

namespace platform {

class ImageList {
public:
    virtual ~ImageList() = default;
    // The size each image is shown at; 0 x 0 for an empty list.
    virtual Size ImageSize() const = 0;
    // The pixels of image Index; an empty view when the list has no such image.
    virtual ConstPixelView Image(int32_t Index) const = 0;

protected:
    ImageList() = default;
    ImageList(const ImageList&) = default;
    ImageList& operator=(const ImageList&) = default;
};

} // namespace platform

#pragma once
// An opaque image of at most 256 colours as an 8-bit palette image with
// exactly those colours, so that it decodes to the same pixels.
#include <QImage>
#include <optional>

namespace vorlix {

// Nothing when the image has more than 256 colours or is not RGB32.
std::optional<QImage> ExactIndexedImage(const QImage& image);

}  // namespace vorlix

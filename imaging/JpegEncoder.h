#pragma once
// JPEG files through libjpeg at a quality of 1..100, other settings at the library's baseline defaults.
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

bool EncodeJpeg(const QImage& image, int quality, std::vector<std::uint8_t>& out, std::string& error);

}  // namespace vorlix

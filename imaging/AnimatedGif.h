#pragma once
// Encodes a sequence of 24-bit frames of one size as an animated GIF that
// loops forever. When all frames together use at most 256 colours they share
// one exact global palette and every frame after the first stores only the
// rectangle that changed; otherwise each frame gets its own quantised palette.
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

struct TAnimationStats {
    bool SharedPalette = false;
    int Frames = 0;
};

// delayMs is rounded to GIF's hundredths of a second (at least 1).
bool EncodeAnimatedGif(const std::vector<QImage>& frames, int delayMs, std::vector<std::uint8_t>& out,
                       std::string& error, TAnimationStats* stats = nullptr);

}  // namespace vorlix

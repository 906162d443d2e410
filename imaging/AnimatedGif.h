#pragma once
// Encodes a sequence of 24-bit frames of one size as an animated GIF that
// loops forever. When all frames together use at most 256 colours they share
// one exact global palette and every frame after the first stores only the
// rectangle that changed; otherwise each frame gets its own quantised palette.
// The frames are asked for twice (the palette must be known before the first
// frame is written) and never held more than two at a time, so the memory an
// animation takes does not grow with its length.
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

struct TAnimationStats {
    bool SharedPalette = false;
    int Frames = 0;
};

// Hands out an animation's frames in order, from the first, as often as asked.
class TFrameSource {
public:
    virtual ~TFrameSource() = default;
    // Starts again at the first frame; false with a message when it cannot.
    virtual bool Rewind(std::string& error) = 0;
    // The next frame; false at the end, or with a message when a frame cannot be made.
    virtual bool Next(QImage& frame, std::string& error) = 0;
};

// delayMs is rounded to GIF's hundredths of a second (at least 1).
bool EncodeAnimatedGif(TFrameSource& frames, int delayMs, std::vector<std::uint8_t>& out, std::string& error,
                       TAnimationStats* stats = nullptr);
bool EncodeAnimatedGif(const std::vector<QImage>& frames, int delayMs, std::vector<std::uint8_t>& out,
                       std::string& error, TAnimationStats* stats = nullptr);

}  // namespace vorlix

#include "export/ExactPalette.h"

#include <array>
#include <cstdint>

namespace vorlix {

namespace {

// Colour -> palette index, open addressing; 1024 slots keep the table at most
// a quarter full. Opaque colours never equal the empty slot's 0.
class TColourIndex {
public:
    // The colour's index, adding it; -1 once a 257th colour turns up.
    int Find(QRgb colour) {
        for (uint32_t slot = (colour * 0x9E3779B1u) >> 22;; slot = (slot + 1) & (kSlots - 1)) {
            if (keys_[slot] == colour) return indexes_[slot];
            if (keys_[slot] != 0) continue;
            if (table_.size() == 256) return -1;
            keys_[slot] = colour;
            indexes_[slot] = uint8_t(table_.size());
            table_.push_back(colour);
            return indexes_[slot];
        }
    }
    const QList<QRgb>& Table() const { return table_; }

private:
    static constexpr uint32_t kSlots = 1024;
    std::array<QRgb, kSlots> keys_{};
    std::array<uint8_t, kSlots> indexes_{};
    QList<QRgb> table_;
};

}  // namespace

std::optional<QImage> ExactIndexedImage(const QImage& image) {
    if (image.format() != QImage::Format_RGB32) return std::nullopt;
    QImage indexed(image.size(), QImage::Format_Indexed8);
    if (indexed.isNull()) return std::nullopt;
    TColourIndex colours;
    const int width = image.width(), height = image.height();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        QRgb last = 0;
        int index = 0;
        for (int x = 0; x < width; ++x) {
            const QRgb colour = row[x] | 0xFF000000u;
            if (colour != last || x == 0) {
                if ((index = colours.Find(colour)) < 0) return std::nullopt;
                last = colour;
            }
            out[x] = uchar(index);
        }
    }
    indexed.setColorTable(colours.Table());
    indexed.setDotsPerMeterX(image.dotsPerMeterX());
    indexed.setDotsPerMeterY(image.dotsPerMeterY());
    return indexed;
}

}  // namespace vorlix

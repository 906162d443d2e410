#include "imaging/AnimatedGif.h"

#include <QRect>
#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "imaging/GifWriter.h"
#include "imaging/GiflibSupport.h"
#include "imaging/IndexedImage.h"

namespace vorlix {

namespace {

const QRgb* Row(const QImage& image, int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y)); }

// The smallest rectangle holding every pixel that differs; empty when none does.
QRect ChangedArea(const QImage& before, const QImage& after) {
    int top = -1, bottom = -1, left = after.width(), right = -1;
    const size_t rowBytes = size_t(after.width()) * 4;
    for (int y = 0; y < after.height(); ++y) {
        const QRgb* a = Row(before, y);
        const QRgb* b = Row(after, y);
        if (std::memcmp(a, b, rowBytes) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        int l = 0, r = after.width() - 1;
        while (a[l] == b[l]) ++l;
        while (a[r] == b[r]) --r;
        left = std::min(left, l);
        right = std::max(right, r);
    }
    if (top < 0) return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Collects the colours of an area into the palette; false past 256.
class TExactPalette {
public:
    bool Add(const QImage& image, const QRect& area) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const QRgb* row = Row(image, y);
            QRgb last = 0;
            bool haveLast = false;
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb c = row[x] | 0xFF000000u;
                if (haveLast && c == last) continue;
                last = c;
                haveLast = true;
                if (index_.count(c)) continue;
                if (Colors.size() == 256) return false;
                index_.emplace(c, uint8_t(Colors.size()));
                Colors.push_back(c);
            }
        }
        return true;
    }
    TIndexedImage Map(const QImage& image, const QRect& area) const {
        TIndexedImage out;
        out.Width = area.width();
        out.Height = area.height();
        out.Pixels.resize(size_t(out.Width) * out.Height);
        for (int y = 0; y < out.Height; ++y) {
            const QRgb* row = Row(image, area.top() + y) + area.left();
            uint8_t* dst = out.Row(y);
            QRgb last = row[0] | 0xFF000000u;
            uint8_t lastIndex = index_.at(last);
            for (int x = 0; x < out.Width; ++x) {
                const QRgb c = row[x] | 0xFF000000u;
                if (c != last) {
                    last = c;
                    lastIndex = index_.at(c);
                }
                dst[x] = lastIndex;
            }
        }
        return out;
    }
    std::vector<QRgb> Colors;

private:
    std::unordered_map<QRgb, uint8_t> index_;
};

class TGifStream {
public:
    explicit TGifStream(std::vector<std::uint8_t>& out) { gif_ = EGifOpen(&out, AppendToVector, &error_); }
    ~TGifStream() { Close(); }
    bool Ok() const { return gif_ != nullptr; }

    bool Begin(QSize size, const ColorMapObject* globalMap) {
        EGifSetGifVersion(gif_, true);
        if (EGifPutScreenDesc(gif_, size.width(), size.height(), 8, 0, globalMap) == GIF_ERROR) return false;
        // Loop forever.
        static const GifByteType kNetscape[] = "NETSCAPE2.0";
        static const GifByteType kLoop[] = {1, 0, 0};
        return EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_ERROR &&
               EGifPutExtensionBlock(gif_, 11, kNetscape) != GIF_ERROR &&
               EGifPutExtensionBlock(gif_, 3, kLoop) != GIF_ERROR && EGifPutExtensionTrailer(gif_) != GIF_ERROR;
    }

    bool Frame(const TIndexedImage& image, QPoint at, int delayCs, const ColorMapObject* localMap) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.DelayTime = delayCs;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType block[4];
        const size_t length = EGifGCBToExtension(&control, block);
        if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, int(length), block) == GIF_ERROR) return false;
        if (EGifPutImageDesc(gif_, at.x(), at.y(), image.Width, image.Height, false, localMap) == GIF_ERROR)
            return false;
        std::vector<GifPixelType> row(size_t(image.Width));
        for (int y = 0; y < image.Height; ++y) {
            std::copy(image.Row(y), image.Row(y) + image.Width, row.begin());
            if (EGifPutLine(gif_, row.data(), image.Width) == GIF_ERROR) return false;
        }
        return true;
    }

    bool Close() {
        if (!gif_) return error_ == 0;
        const int pending = gif_->Error;
        int closeError = 0;
        const bool closed = EGifCloseFile(gif_, &closeError) == GIF_OK;
        gif_ = nullptr;
        error_ = pending ? pending : (closed ? 0 : closeError);
        return error_ == 0;
    }
    std::string Error() const {
        const char* text = GifErrorString(error_ ? error_ : (gif_ ? gif_->Error : 0));
        return std::string("GIF encoder failed: ") + (text ? text : "unknown error");
    }

private:
    GifFileType* gif_ = nullptr;
    int error_ = 0;
};

std::vector<QImage> AsRgb32Frames(const std::vector<QImage>& frames) {
    std::vector<QImage> result;
    result.reserve(frames.size());
    for (const QImage& f : frames)
        result.push_back(f.format() == QImage::Format_RGB32 ? f : f.convertToFormat(QImage::Format_RGB32));
    return result;
}

// Each frame's area to store: all of the first, then what changed (a single
// pixel when nothing did, since every frame must hold at least one).
std::vector<QRect> FrameAreas(const std::vector<QImage>& frames) {
    std::vector<QRect> areas{frames.front().rect()};
    for (size_t i = 1; i < frames.size(); ++i) {
        const QRect changed = ChangedArea(frames[i - 1], frames[i]);
        areas.push_back(changed.isEmpty() ? QRect(0, 0, 1, 1) : changed);
    }
    return areas;
}

bool WriteShared(TGifStream& gif, const std::vector<QImage>& frames, const std::vector<QRect>& areas,
                 const TExactPalette& palette, int delayCs) {
    const TColorMap map = MakeColorMap(palette.Colors);
    if (!map || !gif.Begin(frames.front().size(), map.get())) return false;
    for (size_t i = 0; i < frames.size(); ++i)
        if (!gif.Frame(palette.Map(frames[i], areas[i]), areas[i].topLeft(), delayCs, nullptr)) return false;
    return true;
}

bool WriteLocal(TGifStream& gif, const std::vector<QImage>& frames, int delayCs) {
    if (!gif.Begin(frames.front().size(), nullptr)) return false;
    for (const QImage& frame : frames) {
        const TIndexedImage reduced = ReduceColors(frame, TGifColors::Colors256);
        const TColorMap map = MakeColorMap(reduced.Palette);
        if (!map || !gif.Frame(reduced, QPoint(0, 0), delayCs, map.get())) return false;
    }
    return true;
}

}  // namespace

bool EncodeAnimatedGif(const std::vector<QImage>& input, int delayMs, std::vector<std::uint8_t>& out,
                       std::string& error, TAnimationStats* stats) {
    out.clear();
    if (input.empty() || input.front().isNull()) {
        error = "There are no frames to animate.";
        return false;
    }
    const QSize size = input.front().size();
    if (size.width() > 65535 || size.height() > 65535) {
        error = "The image is too large or empty for a GIF file.";
        return false;
    }
    for (const QImage& f : input) {
        if (f.size() != size) {
            error = "The frames of an animation must all have one size.";
            return false;
        }
    }
    const std::vector<QImage> frames = AsRgb32Frames(input);
    const std::vector<QRect> areas = FrameAreas(frames);
    TExactPalette palette;
    bool shared = true;
    for (size_t i = 0; i < frames.size() && shared; ++i) shared = palette.Add(frames[i], areas[i]);
    const int delayCs = std::max(1, (delayMs + 5) / 10);

    TGifStream gif(out);
    if (!gif.Ok()) {
        error = gif.Error();
        return false;
    }
    const bool written = shared ? WriteShared(gif, frames, areas, palette, delayCs) : WriteLocal(gif, frames, delayCs);
    const bool closed = gif.Close();
    if (!written || !closed) {
        error = gif.Error();
        out.clear();
        return false;
    }
    if (stats) *stats = {shared, int(frames.size())};
    return true;
}

}  // namespace vorlix

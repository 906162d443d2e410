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

QImage AsRgb32(const QImage& frame) {
    return frame.format() == QImage::Format_RGB32 ? frame : frame.convertToFormat(QImage::Format_RGB32);
}

// Walks the source's frames in RGB32 with the area each stores: all of the
// first, then what changed (a single pixel when nothing did, since every frame
// must hold at least one). Checks that every frame has the first one's size.
class TFrameWalk {
public:
    explicit TFrameWalk(TFrameSource& source) : source_(source) {}
    bool Start(std::string& error) {
        previous_ = QImage();
        return source_.Rewind(error);
    }
    // False at the end (error empty) or on a failure (error set).
    bool Next(QImage& frame, QRect& area, std::string& error) {
        QImage next;
        if (!source_.Next(next, error)) return false;
        if (next.isNull()) {
            error = "out of memory";
            return false;
        }
        frame = AsRgb32(next);
        if (frame.isNull()) {
            error = "out of memory";
            return false;
        }
        if (previous_.isNull()) {
            area = frame.rect();
        } else if (frame.size() != previous_.size()) {
            error = "The frames of an animation must all have one size.";
            return false;
        } else {
            const QRect changed = ChangedArea(previous_, frame);
            area = changed.isEmpty() ? QRect(0, 0, 1, 1) : changed;
        }
        previous_ = frame;
        return true;
    }

private:
    TFrameSource& source_;
    QImage previous_;
};

class TVectorFrames : public TFrameSource {
public:
    explicit TVectorFrames(const std::vector<QImage>& frames) : frames_(frames) {}
    bool Rewind(std::string&) override {
        next_ = 0;
        return true;
    }
    bool Next(QImage& frame, std::string&) override {
        if (next_ == frames_.size()) return false;
        frame = frames_[next_++];
        return true;
    }

private:
    const std::vector<QImage>& frames_;
    size_t next_ = 0;
};

// The first pass: the frames' size and count, and whether their colours fit
// one exact palette (it stops looking once they do not).
bool Survey(TFrameWalk& walk, QSize& size, int& count, TExactPalette& palette, bool& shared, std::string& error) {
    if (!walk.Start(error)) return false;
    QImage frame;
    QRect area;
    count = 0;
    shared = true;
    while (walk.Next(frame, area, error)) {
        if (count++ == 0) size = frame.size();
        if (shared) shared = palette.Add(frame, area);
    }
    if (!error.empty()) return false;
    if (count == 0 || size.isEmpty()) {
        error = "There are no frames to animate.";
        return false;
    }
    if (size.width() > 65535 || size.height() > 65535) {
        error = "The image is too large or empty for a GIF file.";
        return false;
    }
    return true;
}

bool WriteFrames(TGifStream& gif, TFrameWalk& walk, QSize size, const TExactPalette& palette, bool shared, int delayCs,
                 std::string& error) {
    if (!walk.Start(error)) return false;
    const TColorMap global = shared ? MakeColorMap(palette.Colors) : TColorMap();
    if ((shared && !global) || !gif.Begin(size, global.get())) return false;
    QImage frame;
    QRect area;
    while (walk.Next(frame, area, error)) {
        if (shared) {
            if (!gif.Frame(palette.Map(frame, area), area.topLeft(), delayCs, nullptr)) return false;
            continue;
        }
        const TIndexedImage reduced = ReduceColors(frame, TGifColors::Colors256);
        const TColorMap map = MakeColorMap(reduced.Palette);
        if (!map || !gif.Frame(reduced, QPoint(0, 0), delayCs, map.get())) return false;
    }
    return error.empty();
}

}  // namespace

bool EncodeAnimatedGif(TFrameSource& source, int delayMs, std::vector<std::uint8_t>& out, std::string& error,
                       TAnimationStats* stats) {
    out.clear();
    error.clear();
    TFrameWalk walk(source);
    QSize size;
    int count = 0;
    TExactPalette palette;
    bool shared = true;
    if (!Survey(walk, size, count, palette, shared, error)) return false;
    const int delayCs = std::max(1, (delayMs + 5) / 10);

    TGifStream gif(out);
    if (!gif.Ok()) {
        error = gif.Error();
        return false;
    }
    const bool written = WriteFrames(gif, walk, size, palette, shared, delayCs, error);
    const bool closed = gif.Close();
    if (!written || !closed) {
        if (error.empty()) error = gif.Error();
        out.clear();
        return false;
    }
    if (stats) *stats = {shared, count};
    return true;
}

bool EncodeAnimatedGif(const std::vector<QImage>& frames, int delayMs, std::vector<std::uint8_t>& out,
                       std::string& error, TAnimationStats* stats) {
    TVectorFrames source(frames);
    return EncodeAnimatedGif(source, delayMs, out, error, stats);
}

}  // namespace vorlix

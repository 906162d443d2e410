#include "gif/GifEncoder.h"

#include "gif/GiflibSupport.h"


namespace vorlix {
namespace {

std::string GifError(int code) {
    const char* text = GifErrorString(code);
    return std::string("GIF encoder failed: ") + (text ? text : "unknown error");
}

bool WriteFrame(GifFileType* gif, const TIndexedImage& image, int transparentIndex, const ColorMapObject* map) {
    EGifSetGifVersion(gif, transparentIndex >= 0);
    if (EGifPutScreenDesc(gif, image.Width, image.Height, 8, 0, map) == GIF_ERROR) return false;
    if (transparentIndex >= 0) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.UserInputFlag = false;
        control.DelayTime = 0;
        control.TransparentColor = transparentIndex;
        GifByteType block[4];
        const size_t length = EGifGCBToExtension(&control, block);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), block) == GIF_ERROR) return false;
    }
    if (EGifPutImageDesc(gif, 0, 0, image.Width, image.Height, false, nullptr) == GIF_ERROR) return false;
    std::vector<GifPixelType> row(image.Width);
    for (int y = 0; y < image.Height; ++y) {
        // giflib wants a writable row.
        std::copy(image.Row(y), image.Row(y) + image.Width, row.begin());
        if (EGifPutLine(gif, row.data(), image.Width) == GIF_ERROR) return false;
    }
    return true;
}

}  // namespace

bool EncodeGif(const TIndexedImage& image, int transparentIndex, std::vector<std::uint8_t>& out, std::string& error) {
    out.clear();
    if (image.Width <= 0 || image.Height <= 0 || image.Width > 65535 || image.Height > 65535) {
        error = "The image is too large or empty for a GIF file.";
        return false;
    }
    if (image.Palette.empty() || image.Palette.size() > 256 ||
        image.Pixels.size() != static_cast<std::size_t>(image.Width) * image.Height) {
        error = "GIF encoder failed: invalid palette image.";
        return false;
    }
    if (transparentIndex >= static_cast<int>(image.Palette.size())) transparentIndex = kNoTransparency;
    const auto map = MakeColorMap(image.Palette);
    int code = 0;
    GifFileType* gif = EGifOpen(&out, AppendToVector, &code);
    if (!gif) {
        error = GifError(code);
        return false;
    }
    const bool written = map && WriteFrame(gif, image, transparentIndex, map.get());
    const int frameError = gif->Error;
    int closeError = 0;
    const bool closed = EGifCloseFile(gif, &closeError) == GIF_OK;
    if (!written || !closed) {
        error = GifError(!written ? frameError : closeError);
        out.clear();
        return false;
    }
    return true;
}

}  // namespace vorlix

#pragma once
// Reads a GIF stream back with giflib's decoder, for the writer tests.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vorlix::testimages {

struct TMemoryInput {
    const std::vector<std::uint8_t>* Bytes;
    std::size_t At = 0;
};

inline int ReadFromMemory(GifFileType* gif, GifByteType* into, int length) {
    auto* input = static_cast<TMemoryInput*>(gif->UserData);
    const std::size_t n = std::min<std::size_t>(length, input->Bytes->size() - input->At);
    std::memcpy(into, input->Bytes->data() + input->At, n);
    input->At += n;
    return static_cast<int>(n);
}

// Indices as giflib reads them, and its transparent index (-1 for none).
inline std::vector<std::uint8_t> GiflibIndices(const std::vector<std::uint8_t>& gif, int& transparentIndex) {
    TMemoryInput input{&gif};
    int error = 0;
    GifFileType* file = DGifOpen(&input, ReadFromMemory, &error);
    EXPECT_NE(file, nullptr) << GifErrorString(error);
    if (!file) return {};
    std::vector<std::uint8_t> indices;
    EXPECT_EQ(DGifSlurp(file), GIF_OK) << GifErrorString(file->Error);
    if (file->ImageCount == 1) {
        const SavedImage& frame = file->SavedImages[0];
        const std::size_t count = static_cast<std::size_t>(frame.ImageDesc.Width) * frame.ImageDesc.Height;
        indices.assign(frame.RasterBits, frame.RasterBits + count);
        GraphicsControlBlock control{};
        transparentIndex = DGifSavedExtensionToGCB(file, 0, &control) == GIF_OK ? control.TransparentColor : -1;
    }
    DGifCloseFile(file, &error);
    return indices;
}

}  // namespace vorlix::testimages

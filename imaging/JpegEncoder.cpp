#include "imaging/JpegEncoder.h"

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

namespace vorlix {
namespace {

// libjpeg's default error handler ends the process; this one jumps back instead.
struct TJpegErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Escape;
    char Message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<TJpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->Message);
    std::longjmp(manager->Escape, 1);
}

struct TSourceLayout {
    QImage Image;
    J_COLOR_SPACE Space;
    int Components;
};

// Reads 32-bit and 24-bit images in place; anything else is converted once.
TSourceLayout LayoutFor(const QImage& image) {
#if defined(JCS_EXTENSIONS) && Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    // An xRGB word lies in memory as B, G, R, x on a little-endian machine.
    if (image.format() == QImage::Format_RGB32) return {image, JCS_EXT_BGRX, 4};
#endif
    if (image.format() == QImage::Format_RGB888) return {image, JCS_RGB, 3};
    return {image.convertToFormat(QImage::Format_RGB888), JCS_RGB, 3};
}

// Kept apart from EncodeJpeg so that no C++ object with a destructor lives in
// the frame that setjmp returns to.
bool Compress(const TSourceLayout& src, int quality, unsigned char** buffer, unsigned long* size, char* message) {
    jpeg_compress_struct cinfo;
    TJpegErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = OnJpegError;
    if (setjmp(errors.Escape)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.Message);
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = static_cast<JDIMENSION>(src.Image.width());
    cinfo.image_height = static_cast<JDIMENSION>(src.Image.height());
    cinfo.input_components = src.Components;
    cinfo.in_color_space = src.Space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(src.Image.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

bool EncodeJpeg(const QImage& image, int quality, std::vector<std::uint8_t>& out, std::string& error) {
    out.clear();
    if (image.isNull() || image.width() > JPEG_MAX_DIMENSION || image.height() > JPEG_MAX_DIMENSION) {
        error = "The image is too large or empty for a JPEG file.";
        return false;
    }
    const TSourceLayout src = LayoutFor(image);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = Compress(src, std::clamp(quality, 1, 100), &buffer, &size, message);
    if (ok)
        out.assign(buffer, buffer + size);
    else
        error = std::string("JPEG encoder failed: ") + message;
    std::free(buffer);
    return ok;
}

}  // namespace vorlix

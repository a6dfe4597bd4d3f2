#include "render/masters/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void errorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings (a corrupt but readable stream) are not shown; the picture is what counts.
void silentMessage(j_common_ptr) {}

// Everything that must survive a longjmp lives outside this function's frame, and no object
// with a destructor is created between setjmp and the end of decoding.
bool decodeInto(jpeg_decompress_struct& info, ErrorManager& errors, const QByteArray& data,
                QImage& image) {
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = errorExit;
    errors.base.output_message = silentMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = FALSE;
    info.do_block_smoothing = FALSE;
    info.buffered_image = FALSE;
    info.quantize_colors = FALSE;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& data) {
    if (data.size() < 4)
        return {};
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    QImage image;
    if (!decodeInto(info, errors, data, image))
        return {};
    return image;
}

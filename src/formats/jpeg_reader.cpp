// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG pictures through libjpeg with its default decoding settings, as RGB;
// CMYK pictures are decoded as CMYK and their black applied.
// Any warning of missing or corrupt data refuses the picture: the decoder
// carries on past such damage and makes the missing part up in grey, so a
// file cut short and ended with an end-of-image marker would otherwise
// arrive as if whole.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>
// After jpeglib.h: the message codes of the library.
#include <jerror.h>

#include "formats/picture_readers.h"

namespace sc {
namespace {

struct Errors {
    jpeg_error_mgr manager;
    std::jmp_buf stop;
};

// The warnings that mean the picture data is not all there or not as coded.
bool isDamageWarning(int code) {
    switch (code) {
        case JWRN_JPEG_EOF:    // premature end of the file
        case JWRN_HIT_MARKER:  // a marker in the middle of the coded data
        case JWRN_HUFF_BAD_CODE:
        case JWRN_ARITH_BAD_CODE:
        case JWRN_MUST_RESYNC:      // a restart marker out of sequence
        case JWRN_EXTRANEOUS_DATA:  // bytes where a marker belongs
            return true;
        default: return false;
    }
}

// Errors that say the file is a kind of JPEG this decoder does not read.
bool isUnsupportedKind(int code) {
    return code == JERR_BAD_PRECISION || code == JERR_NOT_COMPILED || code == JERR_SOF_UNSUPPORTED ||
           code == JERR_CONVERSION_NOTIMPL;
}

// Every 8 x 8 block of the component with the finest sampling costs at least
// a bit in Huffman-coded data (its DC code), so no real picture has more than
// 512 pixels for each byte of its file; arithmetic coding can go much
// further on flat pictures. A header that claims more describes data the
// file does not hold: decoding it would only make the picture up.
constexpr std::uint64_t kHuffmanPixelsPerByte = 1024;
constexpr std::uint64_t kArithmeticPixelsPerByte = 65536;

[[noreturn]] void stopDecoding(j_common_ptr info) { std::longjmp(reinterpret_cast<Errors*>(info->err)->stop, 1); }

// Warnings have level -1; trace messages (level 0 and up) are ignored.
void judgeMessage(j_common_ptr info, int level) {
    if (level < 0 && isDamageWarning(info->err->msg_code)) stopDecoding(info);
}

void ignoreOutput(j_common_ptr) {}

// A CMYK row as RGB. Files with the Adobe marker (nearly all) store the
// inks inverted, 255 for none.
void cmykToRgb(const JSAMPLE* in, std::uint8_t* out, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        const unsigned k = inverted ? in[3] : 255u - in[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned ink = inverted ? in[c] : 255u - in[c];
            out[c] = static_cast<std::uint8_t>((ink * k + 127) / 255);
        }
    }
}

PictureLoadResult decodeAll(jpeg_decompress_struct& info, const std::uint8_t* data, std::size_t size, DecodedRgb& out) {
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return PictureLoadResult::kDamaged;
    const std::uint64_t pixels = std::uint64_t{info.image_width} * info.image_height;
    if (pixels > size * (info.arith_code ? kArithmeticPixelsPerByte : kHuffmanPixelsPerByte)) {
        return PictureLoadResult::kDamaged;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (!jpeg_start_decompress(&info)) return PictureLoadResult::kDamaged;
    if (info.output_components != (cmyk ? 4 : 3)) return PictureLoadResult::kUnsupported;
    const PictureLoadResult made = allocateDecoded(info.output_width, info.output_height, size, out);
    if (made != PictureLoadResult::kOk) return made;
    JSAMPARRAY inks =
        cmyk ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 4, 1)
             : nullptr;
    while (info.output_scanline < info.output_height) {
        std::uint8_t* rgb = out.pixels.get() + std::size_t{info.output_scanline} * info.output_width * 3;
        JSAMPROW row = cmyk ? inks[0] : rgb;
        if (jpeg_read_scanlines(&info, &row, 1) != 1) return PictureLoadResult::kDamaged;
        if (cmyk) cmykToRgb(row, rgb, info.output_width, info.saw_Adobe_marker);
    }
    // Reads on to the end-of-image marker, so damage after the last row counts too.
    return jpeg_finish_decompress(&info) ? PictureLoadResult::kOk : PictureLoadResult::kDamaged;
}

}  // namespace

PictureLoadResult decodeJpeg(const std::uint8_t* data, std::size_t size, DecodedRgb& out) {
    out = DecodedRgb{};
    if (size > 0x7FFFFFFFu) return PictureLoadResult::kTooLarge;
    jpeg_decompress_struct info{};
    Errors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = stopDecoding;
    errors.manager.emit_message = judgeMessage;
    errors.manager.output_message = ignoreOutput;
    // Only plain C objects live in this frame, so the jump back to it skips
    // no destructor.
    if (setjmp(errors.stop) != 0) {
        const bool unsupported = isUnsupportedKind(errors.manager.msg_code);
        jpeg_destroy_decompress(&info);
        out = DecodedRgb{};
        return unsupported ? PictureLoadResult::kUnsupported : PictureLoadResult::kDamaged;
    }
    jpeg_create_decompress(&info);
    const PictureLoadResult result = decodeAll(info, data, size, out);
    jpeg_destroy_decompress(&info);
    if (result != PictureLoadResult::kOk) out = DecodedRgb{};
    return result;
}

}  // namespace sc

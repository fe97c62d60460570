// The JPEG decoding check: the scans are decoded by the JPEG library (the one
// the picture library decodes with) and any warning of missing or corrupt
// data refuses the picture. The decoder carries on past such damage and
// makes the missing part up in grey, so a file cut short and ended with an
// end-of-image marker would otherwise arrive as if whole.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>
// After jpeglib.h: the message codes of the library.
#include <jerror.h>

#include "formats/picture_check.h"

namespace sc {
namespace {

struct CheckErrors {
    jpeg_error_mgr manager;
    std::jmp_buf stop;
};

// The warnings that mean the picture data is not all there or not as coded.
bool isDamageWarning(int code) {
    switch (code) {
        case JWRN_JPEG_EOF:         // premature end of the file
        case JWRN_HIT_MARKER:       // a marker in the middle of the coded data
        case JWRN_HUFF_BAD_CODE:
        case JWRN_ARITH_BAD_CODE:
        case JWRN_MUST_RESYNC:      // a restart marker out of sequence
        case JWRN_EXTRANEOUS_DATA:  // bytes where a marker belongs
            return true;
        default:
            return false;
    }
}

[[noreturn]] void stopDecoding(j_common_ptr info) {
    std::longjmp(reinterpret_cast<CheckErrors*>(info->err)->stop, 1);
}

// Warnings have level -1; trace messages (level 0 and up) are ignored.
void judgeMessage(j_common_ptr info, int level) {
    if (level < 0 && isDamageWarning(info->err->msg_code)) stopDecoding(info);
}

void ignoreOutput(j_common_ptr) {}

// Runs the whole decode; an error or a damage warning jumps out of it.
bool decodeAll(jpeg_decompress_struct& info, const std::uint8_t* data, std::size_t size) {
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    // An eighth of the size: every coded value is still decoded, but the
    // inverse transform, up-sampling and colour conversion cost little.
    info.scale_num = 1;
    info.scale_denom = 8;
    info.do_fancy_upsampling = FALSE;
    info.dct_method = JDCT_IFAST;
    if (!jpeg_start_decompress(&info)) return false;
    const JDIMENSION rowBytes = info.output_width * static_cast<JDIMENSION>(info.output_components);
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, rowBytes, 1);
    while (info.output_scanline < info.output_height) {
        if (jpeg_read_scanlines(&info, row, 1) != 1) return false;
    }
    // Reads on to the end-of-image marker, so damage after the last row counts too.
    return jpeg_finish_decompress(&info) == TRUE;
}

}  // namespace

bool jpegScansAreWhole(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 0x7FFFFFFFu) return false;
    jpeg_decompress_struct info{};
    CheckErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = stopDecoding;
    errors.manager.emit_message = judgeMessage;
    errors.manager.output_message = ignoreOutput;
    // Only plain C objects live in this frame, so the jump back to it skips
    // no destructor.
    if (setjmp(errors.stop) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    const bool whole = decodeAll(info, data, size);
    jpeg_destroy_decompress(&info);
    return whole;
}

}  // namespace sc

// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG through libjpeg, into memory.
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <new>

#include "formats/picture_encoders.h"

namespace sc {
namespace {

// The library's largest side.
constexpr std::uint32_t kMaxSide = JPEG_MAX_DIMENSION;

// Errors jump back to the encoder instead of ending the process.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

void jumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->back, 1); }
void keepQuiet(j_common_ptr) {}

// A destination that appends the library's output to a vector in blocks.
// Running out of memory is noted, never thrown through the library.
struct VectorDestination {
    jpeg_destination_mgr manager;
    std::vector<std::uint8_t>* out;
    std::vector<std::uint8_t> block;
    bool failed;
};

void append(VectorDestination& d, std::size_t count) {
    if (d.failed) return;
    try {
        d.out->insert(d.out->end(), d.block.begin(), d.block.begin() + static_cast<std::ptrdiff_t>(count));
    } catch (const std::bad_alloc&) {
        d.failed = true;
    }
}

VectorDestination& destinationOf(j_compress_ptr info) { return *reinterpret_cast<VectorDestination*>(info->dest); }

void startBlock(j_compress_ptr info) {
    VectorDestination& d = destinationOf(info);
    d.manager.next_output_byte = d.block.data();
    d.manager.free_in_buffer = d.block.size();
}

boolean takeFullBlock(j_compress_ptr info) {
    VectorDestination& d = destinationOf(info);
    append(d, d.block.size());
    startBlock(info);
    return TRUE;
}

void takeLastBlock(j_compress_ptr info) {
    VectorDestination& d = destinationOf(info);
    append(d, d.block.size() - d.manager.free_in_buffer);
}

}  // namespace

bool encodeJpeg(const RgbPicture& picture, int quality, std::vector<std::uint8_t>& out) {
    if (picture.width == 0 || picture.height == 0 || picture.width > kMaxSide || picture.height > kMaxSide ||
        picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * 3) {
        return false;
    }
    out.clear();
    jpeg_compress_struct info{};
    ErrorJump error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jumpBack;
    error.manager.output_message = keepQuiet;
    VectorDestination destination{};
    destination.out = &out;
    try {
        destination.block.resize(1 << 16);
    } catch (const std::bad_alloc&) {
        return false;
    }
    destination.manager.init_destination = startBlock;
    destination.manager.empty_output_buffer = takeFullBlock;
    destination.manager.term_destination = takeLastBlock;
    if (setjmp(error.back)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    info.dest = &destination.manager;
    info.image_width = picture.width;
    info.image_height = picture.height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, std::clamp(quality, 1, 100), TRUE);
    // Full-resolution colour: painted edges keep their colour.
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // The library takes non-const rows but only reads them.
        JSAMPROW row =
            const_cast<JSAMPROW>(picture.rgb.data() + static_cast<std::size_t>(info.next_scanline) * picture.width * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return !destination.failed;
}

}  // namespace sc

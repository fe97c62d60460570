// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One entry point per reader of outside input. Each takes arbitrary bytes,
// hands them to the reader the way the program would meet them, and aborts
// when an invariant the program relies on is broken. The libFuzzer drivers
// and the replay test call the same functions.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sc {
struct Program;
}

namespace sc::fuzz {

using FuzzBody = void (*)(const std::uint8_t* data, std::size_t size);

// Three bytes choose width (1..64), height (1..64) and shift; the rest is a
// coded channel as it lies in a file.
void fuzzChannelCodec(const std::uint8_t* data, std::size_t size);
// A painting file opened as the Open command opens it.
void fuzzPainting(const std::uint8_t* data, std::size_t size);
// A cached picture read by both the colour and the grey reader.
void fuzzJgi(const std::uint8_t* data, std::size_t size);
// A file loaded as the brush list and as the stroke list, thumbnails and all.
void fuzzPresetLists(const std::uint8_t* data, std::size_t size);
void fuzzPrefs(const std::uint8_t* data, std::size_t size);
// The hand-over file as a running instance reads and acts on it.
void fuzzHandOver(const std::uint8_t* data, std::size_t size);
// Program arguments (NUL-separated) and the path taken from them.
void fuzzCommandLine(const std::uint8_t* data, std::size_t size);
// A picture file imported as Import Image reads it.
void fuzzPicture(const std::uint8_t* data, std::size_t size);
// The same, each started from pictures of one format so that its decoder
// gets the whole run.
void fuzzBmpPicture(const std::uint8_t* data, std::size_t size);
void fuzzPngPicture(const std::uint8_t* data, std::size_t size);
void fuzzJpegPicture(const std::uint8_t* data, std::size_t size);
void fuzzTiffPicture(const std::uint8_t* data, std::size_t size);

struct FuzzTarget {
    std::string_view name;
    FuzzBody body;
};
inline constexpr FuzzTarget kFuzzTargets[] = {
    {"channel_codec", &fuzzChannelCodec},
    {"painting", &fuzzPainting},
    {"jgi", &fuzzJgi},
    {"preset_lists", &fuzzPresetLists},
    {"prefs", &fuzzPrefs},
    {"hand_over", &fuzzHandOver},
    {"command_line", &fuzzCommandLine},
    {"picture", &fuzzPicture},
    {"bmp_picture", &fuzzBmpPicture},
    {"png_picture", &fuzzPngPicture},
    {"jpeg_picture", &fuzzJpegPicture},
    {"tiff_picture", &fuzzTiffPicture},
};

// Aborts with a message: a broken invariant is a finding like a crash.
[[noreturn]] void invariantBroken(const char* what);
#define SC_FUZZ_CHECK(condition)                                   \
    do {                                                           \
        if (!(condition)) ::sc::fuzz::invariantBroken(#condition); \
    } while (false)

// The program the bodies work on, put into a small, quiet state the first
// time: headless message boxes not echoed, a 4 x 4 document.
Program& prepareShell();

}  // namespace sc::fuzz

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>

#include "engine/surface.h"
#include "formats/jgi_file.h"
#include "formats/little_endian.h"
#include "formats/options_file.h"
#include "formats/preset_lists.h"
#include "formats/prefs_file.h"
#include "support/run_batch.h"

namespace sc {
namespace {

using testing::readFileBytes;
using testing::TempDir;
using testing::writeFileBytes;

// 4 x 4 blocks of one colour each, counted from the bottom row as the file
// keeps them, so the codec gives every pixel back exactly.
Surface blockyPicture(std::uint32_t w, std::uint32_t h) {
    Surface s;
    s.create(w, h, false);
    for (std::uint32_t y = 0; y < h; ++y) {
        for (std::uint32_t x = 0; x < w; ++x) {
            const std::uint32_t b = (x / 4) * 7 + ((h - 1 - y) / 4) * 13;
            s.setPixel(x, y, static_cast<std::uint8_t>(b * 9), static_cast<std::uint8_t>(b * 5 + 1),
                       static_cast<std::uint8_t>(255 - b * 3));
        }
    }
    return s;
}

TEST(Jgi, ColourRoundTripAt30By17) {
    TempDir dir;
    const Surface s = blockyPicture(30, 17);
    ASSERT_EQ(writeColourJgi(s, dir.path("c.jgi"), 3), JgiResult::kOk);
    const std::string bytes = readFileBytes(dir.path("c.jgi"));
    const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
    EXPECT_EQ(getI32(b), 3);
    EXPECT_EQ(getU32(b + 4), 30u);
    EXPECT_EQ(getU32(b + 8), 17u);
    // Three coded channels, each its count and stream, fill the rest exactly.
    std::size_t at = 12;
    for (int i = 0; i < 3; ++i) at += 4 + getU32(b + at);
    EXPECT_EQ(at, bytes.size());

    Surface back;
    ASSERT_EQ(readColourJgi(back, dir.path("c.jgi")), JgiResult::kOk);
    ASSERT_EQ(back.width(), 30u);
    ASSERT_EQ(back.height(), 17u);
    EXPECT_EQ(back.bytesPerPixel(), 4);
    for (std::uint32_t y = 0; y < 17; ++y) {
        for (std::uint32_t x = 0; x < 30; ++x) ASSERT_EQ(back.getPixel(x, y), s.getPixel(x, y)) << x << "," << y;
    }
    for (std::uint32_t y = 0; y < 17; ++y) {
        for (std::uint32_t x = 0; x < 30; ++x) EXPECT_EQ(back.pixelAddress(x, y)[3], 0);
    }
}

TEST(Jgi, GreyKeepsRedInAllThreeComponents) {
    TempDir dir;
    Surface s;
    ASSERT_TRUE(s.create(8, 8, false));
    for (std::uint32_t y = 0; y < 8; ++y) {
        for (std::uint32_t x = 0; x < 8; ++x) s.setPixel(x, y, 120, 7, 250);
    }
    ASSERT_EQ(writeGreyJgi(s, dir.path("g.jgi"), 3), JgiResult::kOk);
    Surface back;
    ASSERT_EQ(readGreyJgi(back, dir.path("g.jgi")), JgiResult::kOk);
    EXPECT_EQ(back.getPixel(5, 2), packColour(120, 120, 120));
    // One channel only: 12 + 4 + 4 blocks of 12 bits.
    EXPECT_EQ(readFileBytes(dir.path("g.jgi")).size(), 12u + 4u + 6u);
}

TEST(Jgi, EmptySurfaceWritesAnEmptyFileAndReadsBackEmpty) {
    TempDir dir;
    Surface never;
    ASSERT_EQ(writeColourJgi(never, dir.path("e.jgi"), 3), JgiResult::kOk);
    EXPECT_EQ(readFileBytes(dir.path("e.jgi")).size(), 12u + 3 * 4u);
    Surface back = blockyPicture(4, 4);
    ASSERT_EQ(readColourJgi(back, dir.path("e.jgi")), JgiResult::kOk);
    EXPECT_FALSE(back.valid());
}

TEST(Jgi, BadHeadersAreRefusedAndTheSurfaceStays) {
    TempDir dir;
    const Surface s = blockyPicture(8, 8);
    ASSERT_EQ(writeColourJgi(s, dir.path("ok.jgi"), 3), JgiResult::kOk);
    const std::string good = readFileBytes(dir.path("ok.jgi"));
    auto readPatched = [&](std::size_t at, std::uint32_t value) {
        std::string bad = good;
        putU32(reinterpret_cast<std::uint8_t*>(bad.data()) + at, value);
        writeFileBytes(dir.path("bad.jgi"), bad);
        Surface target = blockyPicture(4, 4);
        const JgiResult r = readColourJgi(target, dir.path("bad.jgi"));
        EXPECT_EQ(target.width(), 4u);
        EXPECT_EQ(target.getPixel(1, 1), blockyPicture(4, 4).getPixel(1, 1));
        return r;
    };
    EXPECT_EQ(readPatched(0, static_cast<std::uint32_t>(-1)), JgiResult::kDamaged);
    EXPECT_EQ(readPatched(0, 32), JgiResult::kDamaged);
    EXPECT_EQ(readPatched(4, 0x7FFFFFFF), JgiResult::kDamaged);
    EXPECT_EQ(readPatched(8, 100000), JgiResult::kDamaged);
    EXPECT_EQ(readPatched(12, 0xFFFF), JgiResult::kDamaged);

    writeFileBytes(dir.path("cut.jgi"), good.substr(0, good.size() - 1));
    Surface target;
    EXPECT_EQ(readColourJgi(target, dir.path("cut.jgi")), JgiResult::kDamaged);
    EXPECT_EQ(readColourJgi(target, dir.path("missing.jgi")), JgiResult::kCannotOpen);
    EXPECT_FALSE(target.valid());
}

TEST(PresetFiles, LayoutAndRoundTrip) {
    TempDir dir;
    BrushPresetList list;
    for (int i = 0; i < 7; ++i) {
        list.slots[i].used = 1;
        list.slots[i].settings.red = static_cast<std::uint8_t>(i * 10);
        list.slots[i].settings.size = 40 + i;
        list.slots[i].settings.strength = 0.25f * i;
    }
    list.slots[0].thumbnail.create(30, 30, false);
    list.selected = 5;
    ASSERT_TRUE(writeBrushPresetFile(dir.path("p.pal"), list));
    const std::string bytes = readFileBytes(dir.path("p.pal"));
    ASSERT_EQ(bytes.size(), 2704u);
    const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
    EXPECT_EQ(b[60 * 3], 1);
    EXPECT_EQ(b[60 * 7], 0);
    EXPECT_EQ(b[60 * 3 + 36], 30);                // red
    EXPECT_EQ(getI32(b + 60 * 3 + 36 + 12), 43);  // size
    EXPECT_EQ(getI32(b + 2700), 5);               // selected
    for (int i = 1; i < 36; ++i) EXPECT_EQ(b[i], 0) << "padding and thumbnail bytes";

    BrushPresetList back;
    ASSERT_TRUE(readBrushPresetFile(dir.path("p.pal"), back));
    for (int i = 0; i < 45; ++i) {
        EXPECT_EQ(back.slots[i].used, list.slots[i].used);
        EXPECT_EQ(std::memcmp(&back.slots[i].settings, &list.slots[i].settings, 24), 0);
    }
    EXPECT_EQ(back.selected, 0) << "the stored selection is not taken";

    StrokePresetList strokes;
    strokes.slots[2].used = 1;
    strokes.slots[2].dynamics.pulse = 1;
    strokes.slots[2].dynamics.pulsePeriod = 7.5f;
    ASSERT_TRUE(writeStrokePresetFile(dir.path("s.stk"), strokes));
    EXPECT_EQ(readFileBytes(dir.path("s.stk")).size(), 604u);
    StrokePresetList strokesBack;
    ASSERT_TRUE(readStrokePresetFile(dir.path("s.stk"), strokesBack));
    EXPECT_EQ(strokesBack.slots[2].used, 1);
    EXPECT_EQ(strokesBack.slots[2].dynamics.pulsePeriod, 7.5f);
}

TEST(PresetFiles, ShortAndLongFilesChangeOnlyWhatTheyReach) {
    TempDir dir;
    BrushPresetList list;
    for (auto& slot : list.slots) {
        slot.used = 1;
        slot.settings.red = 99;
    }
    // Two whole records of zero bytes and the used flag of a third.
    writeFileBytes(dir.path("short.pal"), std::string(121, '\0'));
    ASSERT_TRUE(readBrushPresetFile(dir.path("short.pal"), list));
    EXPECT_EQ(list.slots[0].used, 0);
    EXPECT_EQ(list.slots[1].settings.red, 0);
    EXPECT_EQ(list.slots[2].used, 0);
    EXPECT_EQ(list.slots[2].settings.red, 99);
    EXPECT_EQ(list.slots[3].used, 1);

    writeFileBytes(dir.path("long.pal"), std::string(3000, '\x01'));
    ASSERT_TRUE(readBrushPresetFile(dir.path("long.pal"), list));
    EXPECT_EQ(list.slots[44].used, 1);
    EXPECT_EQ(list.slots[44].settings.red, 1);

    BrushPresetList untouched;
    EXPECT_FALSE(readBrushPresetFile(dir.path("missing.pal"), untouched));
}

TEST(PrefsFile, TwoBytesOneByteAndMissing) {
    TempDir dir;
    ASSERT_TRUE(writePrefsFile(dir.path("prefs.dat"), ViewPreferences{false, true}));
    EXPECT_EQ(readFileBytes(dir.path("prefs.dat")), std::string("\x00\x01", 2));
    ViewPreferences p;
    ASSERT_TRUE(readPrefsFile(dir.path("prefs.dat"), p));
    EXPECT_FALSE(p.highQuality);
    EXPECT_TRUE(p.lighting);

    writeFileBytes(dir.path("one.dat"), std::string(1, '\x07'));
    ViewPreferences q{false, false};
    ASSERT_TRUE(readPrefsFile(dir.path("one.dat"), q));
    EXPECT_TRUE(q.highQuality);
    EXPECT_FALSE(q.lighting);
    EXPECT_FALSE(readPrefsFile(dir.path("none.dat"), q));
}

TEST(OptionsFile, RoundTripsAndKeepsDefaultsForWhatItCannotTake) {
    TempDir dir;
    Options chosen;
    chosen.pressureTarget = PressureTarget::StrengthAndSize;
    chosen.pressureCurve = 2.5f;
    chosen.smoothStrokes = true;
    chosen.historyBudgetBytes = std::uint64_t{512} << 20;
    chosen.autosaveSeconds = 45;
    ASSERT_TRUE(writeOptionsFile(dir.path("options.txt"), chosen));
    Options back;
    ASSERT_TRUE(readOptionsFile(dir.path("options.txt"), back));
    EXPECT_EQ(back.pressureTarget, PressureTarget::StrengthAndSize);
    EXPECT_EQ(back.pressureCurve, 2.5f);
    EXPECT_TRUE(back.smoothStrokes);
    EXPECT_EQ(back.historyBudgetBytes, std::uint64_t{512} << 20);
    EXPECT_EQ(back.autosaveSeconds, 45u);

    // Edited by hand: blanks and carriage returns around the words are
    // fine; unknown keys, words and numbers out of range leave the default.
    writeFileBytes(dir.path("edited.txt"),
                   "  smooth-strokes=on\r\npressure = sideways\nautosave-seconds = 3\n"
                   "history-budget-mb = 99999999999999999999\npressure-curve = -1\nlater-option = 7\n"
                   "no equals sign\n# pressure = none\n");
    Options edited;
    ASSERT_TRUE(readOptionsFile(dir.path("edited.txt"), edited));
    const Options defaults;
    EXPECT_TRUE(edited.smoothStrokes);
    EXPECT_EQ(edited.pressureTarget, defaults.pressureTarget);
    EXPECT_EQ(edited.autosaveSeconds, defaults.autosaveSeconds);
    EXPECT_EQ(edited.historyBudgetBytes, defaults.historyBudgetBytes);
    EXPECT_EQ(edited.pressureCurve, defaults.pressureCurve);

    EXPECT_FALSE(readOptionsFile(dir.path("missing.txt"), edited));
    writeFileBytes(dir.path("huge.txt"), std::string(100000, '#'));
    EXPECT_FALSE(readOptionsFile(dir.path("huge.txt"), edited));
}

}  // namespace
}  // namespace sc

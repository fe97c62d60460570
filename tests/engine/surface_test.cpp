// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/surface.h"

namespace sc {
namespace {

TEST(Surface, StrideIsRoundedToFourBytes) {
    Surface s;
    ASSERT_TRUE(s.create(3, 2, false));
    EXPECT_EQ(s.stride(), 12);  // 9 bytes rounded up
    EXPECT_EQ(s.bytesPerPixel(), 3);
    ASSERT_TRUE(s.create(3, 2, true));
    EXPECT_EQ(s.stride(), 12);
    EXPECT_TRUE(s.hasAlpha());
    ASSERT_TRUE(s.create(5, 1, false));
    EXPECT_EQ(s.stride(), 16);
}

TEST(Surface, MemoryStartsZeroedAndPaddingStaysZero) {
    for (const bool alpha : {false, true}) {
        Surface s;
        ASSERT_TRUE(s.create(5, 3, alpha));
        const std::size_t bytes = static_cast<std::size_t>(s.stride()) * s.height();
        for (std::size_t i = 0; i < bytes; ++i) ASSERT_EQ(s.bits()[i], 0) << i;
        s.clearWhite();
        s.blendRect(0, 0, 5, 3, 1, 2, 3, 100);
        for (std::uint32_t y = 0; y < 3; ++y) {
            const std::uint8_t* row = s.pixelAddress(0, y);
            for (int i = 5 * s.bytesPerPixel(); i < s.stride(); ++i) EXPECT_EQ(row[i], 0) << alpha << " " << y;
            if (alpha) {
                EXPECT_EQ(row[3], 0) << "alpha untouched";
            }
        }
    }
}

TEST(Surface, PixelsAreBottomUpBgr) {
    Surface s;
    ASSERT_TRUE(s.create(3, 2, false));
    s.clearWhite();
    s.setPixel(1, 0, 10, 20, 30);
    // Row 0 is the last row of memory.
    const std::uint8_t* p = s.bits() + 1 * s.stride() + 1 * 3;
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
    EXPECT_EQ(s.getPixel(1, 0), packColour(10, 20, 30));
    EXPECT_EQ(redOf(s.getPixel(1, 0)), 10);
}

TEST(Surface, OutOfRangeAccessIsIgnored) {
    Surface s;
    ASSERT_TRUE(s.create(4, 3, false));
    s.clearWhite();
    EXPECT_EQ(s.getPixel(-1, 0), 0u);
    EXPECT_EQ(s.getPixel(4, 0), 0u);
    EXPECT_EQ(s.getPixel(0, 3), 0u);
    s.setPixel(4, 0, 1, 2, 3);
    s.setPixel(0xFFFFFFFFu, 0, 1, 2, 3);  // a negative coordinate seen unsigned
    s.setPixel(0, 3, 1, 2, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(s.getPixel(x, y), packColour(255, 255, 255));
}

TEST(Surface, InvalidSurfaceDoesNothing) {
    Surface s;
    EXPECT_FALSE(s.valid());
    s.setPixel(0, 0, 1, 2, 3);
    s.clearWhite();
    s.blendRect(0, 0, 10, 10, 1, 2, 3, 0);
    EXPECT_EQ(s.getPixel(0, 0), 0u);
    EXPECT_FALSE(s.create(0, 10, false));
    EXPECT_FALSE(s.valid());
    EXPECT_EQ(s.stride(), 0);
}

TEST(Surface, ImpossibleSizeFailsCleanly) {
    Surface s;
    EXPECT_FALSE(s.create(0xFFFFFFFFu, 0xFFFFFFFFu, true));
    EXPECT_FALSE(s.valid());
    EXPECT_EQ(s.width(), 0u);
}

TEST(Surface, AlphaIsKeptByClearAndSetButReadBack) {
    Surface s;
    ASSERT_TRUE(s.create32(2, 1));
    s.bits()[3] = 77;
    s.clearWhite();
    s.setPixel(0, 0, 1, 2, 3);
    EXPECT_EQ(s.getPixel(0, 0), packColour(1, 2, 3) | (77u << 24));
}

TEST(Surface, BlendRectEnds) {
    Surface s;
    ASSERT_TRUE(s.create(4, 4, false));
    s.clearWhite();
    s.setPixel(1, 1, 100, 150, 200);
    s.blendRect(0, 0, 4, 4, 10, 20, 30, 255);
    EXPECT_EQ(s.getPixel(1, 1), packColour(100, 150, 200));
    s.blendRect(0, 0, 2, 2, 10, 20, 30, 0);
    EXPECT_EQ(s.getPixel(1, 1), packColour(10, 20, 30));
    EXPECT_EQ(s.getPixel(2, 2), packColour(255, 255, 255));
    // Half-way: trunc((255 - 0) * 128 * single(1/255) + 0) = 128.
    s.blendRect(3, 3, 4, 4, 0, 0, 0, 128);
    EXPECT_EQ(s.getPixel(3, 3), packColour(128, 128, 128));
    // Partly outside the surface: the inside part is blended, nothing else breaks.
    s.blendRect(-5, -5, 1, 1, 0, 0, 0, 0);
    EXPECT_EQ(s.getPixel(0, 0), 0u);
}

TEST(Surface, BlitToSurfaceClips) {
    Surface src, dst;
    ASSERT_TRUE(src.create(2, 2, false));
    ASSERT_TRUE(dst.create(3, 3, false));
    src.clearWhite();
    dst.clearWhite();
    src.setPixel(0, 0, 1, 2, 3);
    src.setPixel(1, 1, 4, 5, 6);
    src.blitToSurface(2, 2, dst);
    EXPECT_EQ(dst.getPixel(2, 2), packColour(1, 2, 3));
    src.blitToSurface(-1, -1, dst);
    EXPECT_EQ(dst.getPixel(0, 0), packColour(4, 5, 6));
    EXPECT_EQ(dst.getPixel(1, 1), packColour(255, 255, 255));
}

}  // namespace
}  // namespace sc

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/channel_codec.h"
#include "formats/data_file.h"
#include "support/run_batch.h"

namespace sc {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Codes a contiguous plane; the result is the count and the stream.
Bytes encode(const Bytes& plane, std::uint32_t w, std::uint32_t h, std::int32_t shift) {
    CodedChannel coded;
    EXPECT_TRUE(encodePlane(ConstPlaneView{plane.data(), 1, w}, w, h, shift, coded));
    return Bytes(coded.bytes.get(), coded.bytes.get() + coded.size);
}

CodecResult decode(const Bytes& coded, Bytes& plane, std::uint32_t w, std::uint32_t h, std::int32_t shift) {
    plane.assign(static_cast<std::size_t>(w) * h, 0xEE);
    return decodeStream(coded.data() + 4, coded.size() - 4, PlaneView{plane.data(), 1, w}, w, h, shift);
}

// Bits written as text, e.g. "0011 00001010", into bytes padded with zeros.
Bytes bits(const std::string& text) {
    Bytes out;
    int n = 0;
    for (char c : text) {
        if (c != '0' && c != '1') continue;
        if (n % 8 == 0) out.push_back(0);
        if (c == '1') out.back() |= static_cast<std::uint8_t>(0x80 >> (n % 8));
        ++n;
    }
    return out;
}

Bytes withCount(const Bytes& stream) {
    Bytes out(4 + stream.size(), 0);
    out[0] = static_cast<std::uint8_t>(stream.size());
    std::copy(stream.begin(), stream.end(), out.begin() + 4);
    return out;
}

TEST(ChannelCodec, WorkedExamplesCodeBitForBit) {
    // Eight 10s then eight 20s: m 15, M 5, depth 3, lo 10, offsets 0 and 5.
    Bytes twoLevels(16, 10);
    for (int i = 8; i < 16; ++i) twoLevels[i] = 20;
    EXPECT_EQ(encode(twoLevels, 4, 4, 1),
              withCount(bits("0011 00001010" + std::string(8 * 3, '0') + "101101101101101101101101")));
    Bytes back;
    ASSERT_EQ(decode(encode(twoLevels, 4, 4, 1), back, 4, 4, 1), CodecResult::kOk);
    EXPECT_EQ(back, twoLevels);

    // Sixteen 100s: 12 bits, completed to two bytes.
    const Bytes flat(16, 100);
    EXPECT_EQ(encode(flat, 4, 4, 1), withCount(bits("0000 01100100")));

    // Within 1 of the mean: coded flat, everything decodes to the mean.
    Bytes nearFlat(16, 100);
    for (int i = 0; i < 16; i += 2) nearFlat[i] = 101;
    ASSERT_EQ(decode(encode(nearFlat, 4, 4, 1), back, 4, 4, 1), CodecResult::kOk);
    EXPECT_EQ(back, Bytes(16, 100));
}

TEST(ChannelCodec, StepFourSoftensTheSpreadAndClampsOffsets) {
    const Bytes block = {92, 92, 92, 94, 94, 95, 95, 98, 102, 105, 106, 107, 107, 108, 108, 108};
    const Bytes coded = encode(block, 4, 4, 2);
    EXPECT_EQ(coded[4] >> 4, 2) << "depth";
    EXPECT_EQ(((coded[4] & 0x0F) << 4) | (coded[5] >> 4), 92) << "lo";
    Bytes back;
    ASSERT_EQ(decode(coded, back, 4, 4, 2), CodecResult::kOk);
    // Offsets 0..3 decode to q * 4 + 92 + 1; 108's offset 4 is lowered to 3.
    EXPECT_EQ(back, (Bytes{93, 93, 93, 93, 93, 93, 93, 97, 101, 105, 105, 105, 105, 105, 105, 105}));
}

TEST(ChannelCodec, EmptyPlanesAreACountOfZero) {
    for (auto [w, h] : {std::pair{0u, 0u}, std::pair{0u, 7u}, std::pair{9u, 0u}}) {
        const Bytes coded = encode({}, w, h, 1);
        EXPECT_EQ(coded, (Bytes{0, 0, 0, 0}));
    }
    // Decoding a plane with no rows reads nothing, however wide it claims to
    // be (four billion columns would otherwise be walked one by one).
    const std::uint8_t stream[1] = {0};
    EXPECT_EQ(decodeStream(stream, 0, PlaneView{}, 0xFFFFFFFFu, 0, 3), CodecResult::kOk);
    EXPECT_EQ(decodeStream(stream, 0, PlaneView{}, 0, 0xFFFFFFFFu, 3), CodecResult::kOk);
}

TEST(ChannelCodec, PaddedEdgesNeverReachTheCallersPlane) {
    // 5 x 3 is two blocks of an 8 x 4 work plane; the plane sits in a larger
    // buffer whose other bytes must stay untouched.
    Bytes plane(15);
    for (int i = 0; i < 15; ++i) plane[i] = static_cast<std::uint8_t>(i * 17);
    const Bytes coded = encode(plane, 5, 3, 1);
    Bytes buffer(7 * 5, 0xAB);
    const PlaneView view{buffer.data() + 7 + 1, 1, 7};
    ASSERT_EQ(decodeStream(coded.data() + 4, coded.size() - 4, view, 5, 3, 1), CodecResult::kOk);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const std::uint8_t got = buffer[y * 7 + x];
            if (y >= 1 && y <= 3 && x >= 1 && x <= 5) {
                EXPECT_NEAR(got, plane[(y - 1) * 5 + (x - 1)], 1);
            } else {
                EXPECT_EQ(got, 0xAB) << x << "," << y;
            }
        }
    }
}

TEST(ChannelCodec, OddBlockCountEndsMidByteAndDecodesExactly) {
    // Three blocks: two with spread, the last flat, ending inside a byte.
    Bytes plane(12 * 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 12; ++x) plane[y * 12 + x] = x < 8 ? static_cast<std::uint8_t>(x * 30 + y) : 77;
    }
    const Bytes coded = encode(plane, 12, 4, 1);
    Bytes back;
    ASSERT_EQ(decode(coded, back, 12, 4, 1), CodecResult::kOk);
    for (int y = 0; y < 4; ++y) {
        for (int x = 8; x < 12; ++x) EXPECT_EQ(back[y * 12 + x], 77);
    }
}

TEST(ChannelCodec, ShiftZeroIsShiftOneAndLargeShiftsCodeFlat) {
    Bytes plane(16 * 8);
    for (std::size_t i = 0; i < plane.size(); ++i) plane[i] = static_cast<std::uint8_t>(i * 37);
    EXPECT_EQ(encode(plane, 16, 8, 0), encode(plane, 16, 8, 1));
    // Eight blocks of 12 bits each.
    EXPECT_EQ(encode(plane, 16, 8, 6).size(), 4u + 12u);
    EXPECT_EQ(encode(plane, 16, 8, 31).size(), 4u + 12u);
}

TEST(ChannelCodec, RoundTripsStayWithinOneAtAwkwardSizes) {
    std::srand(7);
    for (auto [w, h] : {std::pair{1u, 1u}, std::pair{3u, 7u}, std::pair{17u, 5u}, std::pair{64u, 33u}}) {
        Bytes plane(static_cast<std::size_t>(w) * h);
        for (auto& p : plane) p = static_cast<std::uint8_t>(std::rand());
        Bytes back;
        ASSERT_EQ(decode(encode(plane, w, h, 1), back, w, h, 1), CodecResult::kOk);
        for (std::size_t i = 0; i < plane.size(); ++i) ASSERT_NEAR(back[i], plane[i], 1) << w << "x" << h << " @" << i;
    }
}

TEST(ChannelCodec, TopValuesNeverDecodeAbove255) {
    // Step 8, lo 199: 255 has offset 7, which decodes to 7 * 8 + 199 + 3 = 258.
    Bytes block(16, 200);
    for (int i = 8; i < 16; ++i) block[i] = 255;
    Bytes back;
    ASSERT_EQ(decode(encode(block, 4, 4, 3), back, 4, 4, 3), CodecResult::kOk);
    for (int i = 8; i < 16; ++i) EXPECT_EQ(back[i], 255);
}

TEST(ChannelCodec, DamagedStreamsAreRefused) {
    Bytes back;
    // A stream cut short: two blocks promised, one delivered.
    Bytes oneBlock = encode(Bytes(16, 5), 4, 4, 1);
    EXPECT_EQ(decode(oneBlock, back, 8, 4, 1), CodecResult::kDamaged);
    // A depth above 8.
    Bytes deep = withCount(bits("1001 00000000" + std::string(16 * 9, '1')));
    EXPECT_EQ(decode(deep, back, 4, 4, 1), CodecResult::kDamaged);
    // Depth 8 is still valid (the encoder never writes it).
    Bytes eight = withCount(bits("1000 00000000" + std::string(16 * 8, '1')));
    ASSERT_EQ(decode(eight, back, 4, 4, 1), CodecResult::kOk);
    EXPECT_EQ(back, Bytes(16, 255));
    // Offsets missing at the end of the stream.
    Bytes cut = withCount(bits("0111 00000000 1010101"));
    EXPECT_EQ(decode(cut, back, 4, 4, 1), CodecResult::kDamaged);
}

TEST(ChannelCodec, FileCountsBeyondTheBufferOrTheFileAreRefused) {
    testing::TempDir dir;
    const std::string path = dir.path("c.bin");
    auto decodeFile = [&](const Bytes& content, std::uint32_t w, std::uint32_t h) {
        testing::writeFileBytes(path, std::string(content.begin(), content.end()));
        DataFile f;
        EXPECT_TRUE(f.open(path, DataFile::kRead));
        Bytes plane(static_cast<std::size_t>(w) * h);
        return decodeChannel(f, plane.data(), w, h, 1);
    };
    const Bytes good = encode(Bytes(16, 9), 4, 4, 1);
    EXPECT_EQ(decodeFile(good, 4, 4), CodecResult::kOk);
    // 2 x 4 x 4 = 32 bytes is the most a 4 x 4 plane may carry.
    Bytes huge(4 + 33, 0);
    huge[0] = 33;
    EXPECT_EQ(decodeFile(huge, 4, 4), CodecResult::kDamaged);
    EXPECT_EQ(decodeFile({0xFF, 0xFF, 0xFF, 0xFF}, 4, 4), CodecResult::kDamaged);
    // A count the file does not hold.
    EXPECT_EQ(decodeFile({20, 0, 0, 0, 1, 2}, 4, 4), CodecResult::kDamaged);
    EXPECT_EQ(decodeFile({2, 0}, 4, 4), CodecResult::kDamaged);

    DataFile closed;
    Bytes plane(16, 3);
    EXPECT_EQ(decodeChannel(closed, plane.data(), 4, 4, 1), CodecResult::kNoFile);
    EXPECT_EQ(encodeChannel(closed, plane.data(), 4, 4, 1), CodecResult::kNoFile);
    EXPECT_EQ(plane, Bytes(16, 3));
}

}  // namespace
}  // namespace sc

// SPDX-License-Identifier: GPL-3.0-or-later
#include "filters/filter_frame.h"

namespace sc {

namespace {

BlendTable makeBlendTable(double weight) {
    BlendTable table{};
    table.weight = weight;
    table.full = weight == kFullWeight;
    for (int c = 0; c < 256; ++c) {
        for (int t = 0; t < 256; ++t) {
            const auto value = static_cast<std::uint8_t>(c);
            const auto target = static_cast<std::uint8_t>(t);
            table.byte[c][t] = blendByte(value, target, weight);
            table.shine[c][t] = blendShine(value, target, weight);
        }
    }
    return table;
}

}  // namespace

const BlendTable& fullBlend() {
    static const BlendTable table = makeBlendTable(kFullWeight);
    return table;
}

const BlendTable& halfBlend() {
    static const BlendTable table = makeBlendTable(kFullWeight * 0.5);
    return table;
}

}  // namespace sc

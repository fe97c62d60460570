// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/slider.h"

#include "app/assets.h"
#include "engine/numeric.h"

namespace sc {
namespace {

// Every channel half-way to white, truncated (black becomes 127).
void copyWashedOut(const Surface& from, Surface& to) {
    if (!to.create(from.width(), from.height(), false)) return;
    for (std::uint32_t y = 0; y < from.height(); ++y) {
        for (std::uint32_t x = 0; x < from.width(); ++x) {
            const std::uint32_t c = from.getPixel(x, y);
            const auto wash = [](std::uint8_t v) { return truncToByte(v + (255 - v) * 0.5); };
            to.setPixel(x, y, wash(redOf(c)), wash(greenOf(c)), wash(blueOf(c)));
        }
    }
}

void buildPictures(SliderShared& p, ShellState& s) {
    p.built = true;
    if (p.stripe.create(1, 2, false)) {
        p.stripe.setPixel(0, 0, 0, 0, 0);
        p.stripe.setPixel(0, 1, 128, 128, 128);
    }
    if (p.knob.create(6, 12, false)) {
        for (std::uint32_t y = 0; y < 12; ++y) {
            for (std::uint32_t x = 0; x < 6; ++x) {
                const bool border = x == 0 || y == 0 || x == 5 || y == 11;
                const std::uint8_t v = border ? 0 : 200;
                p.knob.setPixel(x, y, v, v, v);
            }
        }
    }
    // The skin's knob replaces the built-in one when it exists.
    loadColourAsset(s, p.knob, "tab");
    copyWashedOut(p.stripe, p.disabledStripe);
    copyWashedOut(p.knob, p.disabledKnob);
}

void fillTrack(Surface& track, const Surface& stripe, int length) {
    if (length <= 0 || !track.create(static_cast<std::uint32_t>(length), 2, false)) return;
    const int step = stripe.width() > 0 ? static_cast<int>(stripe.width()) : 1;
    for (int i = 0; i < length / step; ++i) stripe.blitToSurface(i * step, 0, track);
}

}  // namespace

void Slider::init(SliderShared& shared, ShellState& s, int px, int py, int len) {
    id = ++shared.lastId;
    if (!shared.built) buildPictures(shared, s);
    x = px;
    y = py;
    length = len;
    fillTrack(track, shared.stripe, length);
    fillTrack(disabledTrack, shared.disabledStripe, length);
    knob = &shared.knob;
    disabledKnob = &shared.disabledKnob;
    value = 100.0f;
    enabled = 1;
}

bool Slider::drag(SliderShared& shared, int px, int py, bool pressed) {
    if (!pressed || !enabled || (shared.captured != 0 && shared.captured != id)) return false;
    const int kw = knob ? static_cast<int>(knob->width()) : 0;
    const int kh = knob ? static_cast<int>(knob->height()) : 0;
    const auto u = [](int v) { return static_cast<std::uint32_t>(v); };
    const bool inBand = u(px) >= u(x - kw / 2 - 10) && u(px) < u(x + length + kw / 2 + 10) && u(py) >= u(y - kh / 2) &&
                        u(py) < u(y + kh / 2);
    if (!inBand) return false;
    shared.captured = id;
    double v = length > 0 ? static_cast<double>(px - x) / length * 100.0 : 0.0;
    if (v < 0.0) v = 0.0;
    if (v > 100.0) v = 100.0;
    value = static_cast<float>(v);
    return true;
}

void Slider::draw(Surface& target) const {
    const Surface* k = enabled ? knob : disabledKnob;
    if (!k) return;
    const Surface& t = enabled ? track : disabledTrack;
    t.blitToSurface(x, y, target);
    const int kw = static_cast<int>(k->width());
    const int kh = static_cast<int>(k->height());
    // The knob's half width in whole pixels, as the slider has always placed it.
    // NOLINTNEXTLINE(bugprone-integer-division)
    const int kx = truncToInt(value * static_cast<double>(0.01f) * length + x - kw / 2);
    k->blitToSurface(kx, y - kh / 2 + 1, target);
}

}  // namespace sc

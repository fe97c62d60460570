// SPDX-License-Identifier: GPL-3.0-or-later
// Pattern building blocks shared by the paint-style and texture images. Each
// returns values in [0, 1] and repeats every 400 pixels.
#pragma once

#include <cstdint>

#include "noise.h"

namespace sc::artwork {

// Plain weave of threadsX vertical and threadsY horizontal threads across the
// tile: each thread a rounded ridge, passing over and under its crossings.
// gap (0 .. 0.5) is the share of each thread's pitch left open between threads;
// wobble (pixels) lets every thread wander.
double weave(double x, double y, int threadsX, int threadsY, double gap, double wobble,
             std::uint32_t seed);

// Brush streaks along the direction (x + y) for diagonal, or along x:
// many thin bands across, long variation along. Returns a field in [0, 1].
Field streaks(bool diagonal, int across, int along, std::uint32_t seed);

// Foam: rounded holes between thin walls; high on the walls.
double foam(const TileCells& cells, double x, double y, double wall);

// Paving: domed plates separated by grooves of the given width (pixels).
double plates(const TileCells& cells, double x, double y, double groove);

// Smooth step from 0 at a to 1 at b.
double smooth(double a, double b, double v);

}  // namespace sc::artwork

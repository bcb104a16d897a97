#include "ExitArt.hpp"

#include <algorithm>
#include <cmath>

#include "DuctArt.hpp"

namespace {

constexpr float Centre = TileSide / 2.0f;
constexpr float WellRadius = 17.0f;  // the opening, as wide as a duct
constexpr float RimOuter = 23.0f;
constexpr float GlowReach = 8.0f;  // beyond the rim; ends inside the cell
constexpr int Supersample = 8;

Rgba HatchAt(float x, float y) {
    const float dx = x - Centre, dy = y - Centre;
    const float r = std::sqrt(dx * dx + dy * dy);
    // A teal halo around the rim, like the ducts' glow.
    const float halo = std::pow(1.0f - SmoothStep(RimOuter, RimOuter + GlowReach, r), 2.0f);
    Rgba c = Paint(60, 225, 255, 0.45f * halo * SmoothStep(RimOuter - 1.0f, RimOuter, r));
    if (r < RimOuter) {
        // The brass rim, a rounded ring lit from the top left like the duct flanges.
        const float u = std::clamp((r - (WellRadius + RimOuter) * 0.5f) / ((RimOuter - WellRadius) * 0.5f), -1.0f, 1.0f);
        const float nx = r > 0 ? dx / r * u : 0, ny = r > 0 ? dy / r * u : 0, nz = std::sqrt(1.0f - u * u);
        const float light = 0.3f + 0.9f * std::max(0.0f, -0.55f * nx - 0.75f * ny + 0.7f * nz);
        const float gleam = std::pow(std::max(0.0f, -0.3f * nx - 0.6f * ny + 0.74f * nz), 40.0f);
        const float edge = SmoothStep(RimOuter, RimOuter - 1.0f, r);
        c = Over(Paint(std::min(255.0f, 170 * light + 255 * gleam), std::min(255.0f, 128 * light + 240 * gleam),
                       std::min(255.0f, 82 * light + 200 * gleam), edge),
                 c);
        // Four bolts on the rim.
        for (const float angle : {0.785f, 2.356f, 3.927f, 5.498f}) {
            const float bx = dx - std::cos(angle) * 20.0f, by = dy - std::sin(angle) * 20.0f;
            const float bolt = 1.0f - SmoothStep(1.2f, 1.9f, std::sqrt(bx * bx + by * by));
            c = Over(bx + by < 0 ? Paint(255, 240, 200, 0.8f * bolt) : Paint(40, 24, 10, 0.7f * bolt), c);
        }
    }
    if (r < WellRadius + 0.5f) {
        // The opening: white light in the middle, fading to teal at the rim, with three arms
        // of a slow swirl.
        const float depth = 1.0f - r / WellRadius;
        const float swirl = 0.5f + 0.5f * std::sin(3.0f * std::atan2(dy, dx) + r * 0.45f);
        const float bright = std::clamp(std::pow(std::max(depth, 0.0f), 0.8f) * (0.75f + 0.25f * swirl), 0.0f, 1.0f);
        const float cover = SmoothStep(WellRadius + 0.5f, WellRadius - 0.5f, r);
        c = Over(Paint(40 + 215 * bright, 150 + 105 * bright, 180 + 75 * bright, cover), c);
    }
    return c;
}

}  // namespace

Canvas DrawExit() {
    Canvas floor = DrawFloor();
    Canvas hatch(TileSide, TileSide);
    hatch.Shade(Supersample, HatchAt);
    for (int y = 0; y < TileSide; ++y) {
        for (int x = 0; x < TileSide; ++x) floor.At(x, y) = Over(hatch.At(x, y), floor.At(x, y));
    }
    return floor;
}

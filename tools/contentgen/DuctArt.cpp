#include "DuctArt.hpp"

#include <algorithm>
#include <cmath>

namespace {

constexpr float Half = TileSide / 2.0f;
constexpr float PipeRadius = 17.0f;
constexpr float GlowReach = 12.0f;   // beyond the pipe surface; ends well inside the cell
constexpr float FlangeHalfWidth = 3.0f;
constexpr float FlangeLip = 1.6f;
constexpr int Supersample = 8;

struct Vec3 {
    float x, y, z;
};

Vec3 Normalised(Vec3 v) {
    const float n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / n, v.y / n, v.z / n};
}

float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Light from the top left and in front; y grows downwards as on screen. Two strip lights,
// one above and one to the left, give ducts of either direction a highlight line.
const Vec3 KeyLight = Normalised({-0.55f, -0.75f, 0.7f});
const Vec3 KeyHalfway = Normalised({-0.3f, -0.6f, 1.6f});
const Vec3 SideHalfway = Normalised({-0.6f, -0.3f, 1.6f});
// A weak teal bounce from the bottom right gives the second glint.
const Vec3 FillHalfway = Normalised({0.6f, 0.7f, 1.6f});

// Where a point lies relative to the duct: `offset` across the centre line (pixels, signed),
// `across` the unit direction in which the offset grows, `along` the distance along the
// centre line from the middle of the piece; `radial` that distance measured at the point's
// own radius, so flanges keep one width across the duct.
struct DuctFrame {
    float offset;
    float acrossX, acrossY;
    float along;
    float radial;
};

DuctFrame Locate(DuctShape shape, float x, float y) {
    switch (shape) {
        case DuctShape::Horizontal: return {y - Half, 0.0f, 1.0f, x - Half, x - Half};
        case DuctShape::Vertical: return {x - Half, 1.0f, 0.0f, y - Half, y - Half};
        default: break;
    }
    // A corner is a quarter arc of radius Half around the cell corner between its two sides.
    float cx = 0, cy = 0;
    switch (shape) {
        case DuctShape::TopLeft: cx = TileSide, cy = TileSide; break;      // right and down
        case DuctShape::TopRight: cx = 0, cy = TileSide; break;            // left and down
        case DuctShape::BottomLeft: cx = TileSide, cy = 0; break;          // right and up
        default: cx = 0, cy = 0; break;                                    // left and up
    }
    const float dx = x - cx, dy = y - cy;
    const float r = std::max(std::sqrt(dx * dx + dy * dy), 1e-4f);
    // Middle of the arc: the direction from the arc's centre to the cell centre.
    const float mx = (Half - cx) / (Half * std::sqrt(2.0f)), my = (Half - cy) / (Half * std::sqrt(2.0f));
    const float angle = std::atan2(mx * dy - my * dx, mx * dx + my * dy);
    return {r - Half, dx / r, dy / r, angle * Half, std::sin(angle) * r};
}

// Periodic value noise (period one tile) so that the floor repeats seamlessly.
float LatticeValue(int i, int j, uint32_t seed) {
    uint32_t h = uint32_t(i & 7) * 374761393u + uint32_t(j & 7) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFF) / 65535.0f;
}

float TileNoise(float x, float y, uint32_t seed) {
    const float cell = TileSide / 8.0f;
    const float fx = x / cell, fy = y / cell;
    const int ix = int(std::floor(fx)), iy = int(std::floor(fy));
    const float tx = SmoothStep(0, 1, fx - float(ix)), ty = SmoothStep(0, 1, fy - float(iy));
    const float a = LatticeValue(ix, iy, seed), b = LatticeValue(ix + 1, iy, seed);
    const float c = LatticeValue(ix, iy + 1, seed), d = LatticeValue(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

Rgba FloorAt(float x, float y) {
    // Deep plum shade whose strength breathes a little across the tile.
    const float blotch = TileNoise(x, y, 7) * 0.6f + TileNoise(x * 2.0f, y * 2.0f, 11) * 0.4f;
    Rgba c = Paint(28, 10, 36, 0.30f + 0.08f * blotch);
    // A fine grate of slots, four per cell side, darker than the plate.
    const float gx = std::fmod(x, 16.0f), gy = std::fmod(y, 16.0f);
    const float slot = (1.0f - SmoothStep(1.2f, 2.2f, std::fabs(gx - 8.0f))) *
                       (1.0f - SmoothStep(4.0f, 5.0f, std::fabs(gy - 8.0f)));
    c = Over(Paint(12, 4, 18, 0.2f * slot), c);
    // Plate seams along the cell edges (half a seam on each side) with a soft bevel light.
    const float ex = std::min(x, TileSide - x), ey = std::min(y, TileSide - y);
    const float seam = 1.0f - SmoothStep(0.6f, 1.6f, std::min(ex, ey));
    c = Over(Paint(10, 2, 14, 0.35f * seam), c);
    const float bevel = (1.0f - SmoothStep(1.6f, 3.0f, std::min(x, y))) * SmoothStep(0.8f, 1.6f, std::min(x, y));
    c = Over(Paint(255, 210, 225, 0.08f * bevel), c);
    // Rivets in the plate corners, lit from the top left.
    const float rx = std::fabs(x - 6.0f) < std::fabs(x - 58.0f) ? x - 6.0f : x - 58.0f;
    const float ry = std::fabs(y - 6.0f) < std::fabs(y - 58.0f) ? y - 6.0f : y - 58.0f;
    const float rivet = 1.0f - SmoothStep(1.6f, 2.2f, std::sqrt(rx * rx + ry * ry));
    c = Over(rx + ry < 0 ? Paint(255, 200, 220, 0.16f * rivet) : Paint(10, 2, 14, 0.28f * rivet), c);
    return c;
}

Rgba DuctSurface(const DuctFrame& f, float radius, bool flange) {
    const float u = std::clamp(f.offset / radius, -1.0f, 1.0f);
    const float nz = std::sqrt(std::max(0.0f, 1.0f - u * u));
    const Vec3 n{u * f.acrossX, u * f.acrossY, nz};
    const float diffuse = std::max(0.0f, Dot(n, KeyLight));
    const float specular = std::pow(std::max(0.0f, Dot(n, KeyHalfway)), 60.0f) +
                       std::pow(std::max(0.0f, Dot(n, SideHalfway)), 60.0f);
    const float sheen = std::pow(std::max(0.0f, Dot(n, FillHalfway)), 18.0f);
    const float rim = std::pow(1.0f - nz, 3.0f);
    // Blue steel body, brass flanges; teal light creeps in at the rims.
    const float br = flange ? 170 : 78, bg = flange ? 128 : 96, bb = flange ? 82 : 134;
    const float light = 0.28f + 0.9f * diffuse;
    float r = br * light + 255 * specular * 0.95f + 70 * sheen * 0.5f + 60 * rim;
    float g = bg * light + 255 * specular * 0.95f + 230 * sheen * 0.5f + 210 * rim;
    float b = bb * light + 250 * specular * 0.95f + 255 * sheen * 0.5f + 240 * rim;
    if (flange) {
        const float groove = SmoothStep(FlangeHalfWidth - 1.0f, FlangeHalfWidth, std::fabs(f.radial));
        r *= 1.0f - 0.35f * groove, g *= 1.0f - 0.35f * groove, b *= 1.0f - 0.35f * groove;
    }
    return Paint(std::min(r, 255.0f), std::min(g, 255.0f), std::min(b, 255.0f));
}

// A four-pointed sparkle centred on (0, 0), 0..1.
float Sparkle(float dx, float dy, float size) {
    const float core = std::exp(-(dx * dx + dy * dy) / (0.8f * size));
    const float arms = std::exp(-std::fabs(dx) / (0.35f * size)) * std::exp(-dy * dy / 0.9f) +
                       std::exp(-std::fabs(dy) / (0.35f * size)) * std::exp(-dx * dx / 0.9f);
    return std::min(1.0f, core + 0.8f * arms);
}

// Where along the piece its sparkle sits: each shape its own, away from the cell edges.
float SparkleAlong(DuctShape shape) {
    switch (shape) {
        case DuctShape::Horizontal: return -13.0f;
        case DuctShape::Vertical: return 14.0f;
        case DuctShape::TopLeft:
        case DuctShape::BottomRight: return 12.0f;
        default: return -12.0f;
    }
}

Rgba DuctAt(DuctShape shape, float x, float y) {
    const DuctFrame f = Locate(shape, x, y);
    Rgba c = FloorAt(x, y);
    const float distance = std::fabs(f.offset);
    // A dark contact band hugs the duct, then a teal glow fades out before the cell edge.
    const float glow = std::pow(1.0f - SmoothStep(PipeRadius, PipeRadius + GlowReach, distance), 2.0f);
    c = Over(Paint(60, 225, 255, 0.42f * glow), c);
    const float contact = 1.0f - SmoothStep(PipeRadius, PipeRadius + 3.0f, distance);
    c = Over(Paint(8, 10, 28, 0.55f * contact), c);
    const bool flange = std::fabs(f.radial) < FlangeHalfWidth && std::fabs(f.along) < Half;
    const float radius = flange ? PipeRadius + FlangeLip : PipeRadius;
    if (distance < radius) c = DuctSurface(f, radius, flange);
    // The glint rides the highlight line, where the surface faces the light's halfway vector.
    const float a = f.acrossX * KeyHalfway.x + f.acrossY * KeyHalfway.y;
    const float highlight = PipeRadius * a / std::sqrt(a * a + KeyHalfway.z * KeyHalfway.z);
    const float sparkle = Sparkle(f.along - SparkleAlong(shape), f.offset - highlight, 6.0f);
    c = Over(Paint(235, 255, 255, 0.9f * sparkle), c);
    return c;
}

}  // namespace

Canvas DrawFloor() {
    Canvas canvas(TileSide, TileSide);
    canvas.Shade(Supersample, FloorAt);
    return canvas;
}

Canvas DrawDuct(DuctShape shape) {
    Canvas canvas(TileSide, TileSide);
    canvas.Shade(Supersample, [shape](float x, float y) { return DuctAt(shape, x, y); });
    return canvas;
}

#include "CreatureArt.hpp"

#include <algorithm>
#include <cmath>

namespace {

constexpr int Side = 64;
constexpr int Supersample = 8;
constexpr float Outline = 1.8f;

struct Ellipse {
    float cx, cy, rx, ry, angle = 0.0f;

    // Below 1 inside, 1 on the edge; grown by `grow` pixels on both radii.
    float Measure(float x, float y, float grow = 0.0f) const {
        const float c = std::cos(angle), s = std::sin(angle);
        const float lx = (x - cx) * c + (y - cy) * s, ly = -(x - cx) * s + (y - cy) * c;
        const float ax = lx / (rx + grow), ay = ly / (ry + grow);
        return std::sqrt(ax * ax + ay * ay);
    }
    bool Contains(float x, float y, float grow = 0.0f) const { return Measure(x, y, grow) < 1.0f; }
};

// Distance from a point to the segment a-b.
float SegmentDistance(float x, float y, float ax, float ay, float bx, float by) {
    const float vx = bx - ax, vy = by - ay;
    const float t = std::clamp(((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy), 0.0f, 1.0f);
    const float dx = x - (ax + vx * t), dy = y - (ay + vy * t);
    return std::sqrt(dx * dx + dy * dy);
}

// Everything that changes between frames.
struct Look {
    Ellipse body;
    float footLift[2];  // pixels each foot is raised
    float lean;         // radians the ears lean
    float orbX, orbY;   // antenna tip
    float gazeX;        // pupils' shift
    bool blink;
    bool sparkle;
    int swirlSide;      // 0 none, -1 left, 1 right
};

Look LookOf(CreatureFrame frame) {
    switch (frame) {
        case CreatureFrame::Pose: return {{32, 37, 15, 14}, {0, 0}, 0.0f, 36, 9, 0.0f, false, false, 0};
        case CreatureFrame::Woosh1:
        case CreatureFrame::Woosh1a:
            return {{31, 39, 16.5f, 12.8f, -0.08f}, {0, 3}, -0.12f, 27, 11, -1.0f,
                    frame == CreatureFrame::Woosh1a, false, -1};
        default:
            return {{33, 35, 13.8f, 15.4f, 0.08f}, {3, 0}, 0.12f, 41, 7, 1.0f, false,
                    frame == CreatureFrame::Woosh2a, 1};
    }
}

Ellipse Foot(const Look& l, int i) {
    const float side = i == 0 ? -1.0f : 1.0f;
    return {l.body.cx + side * 7.0f, l.body.cy + l.body.ry - 1.5f - l.footLift[i], 5.0f, 3.2f, side * 0.15f};
}

Ellipse Ear(const Look& l, int i) {
    const float side = i == 0 ? -1.0f : 1.0f;
    return {l.body.cx + side * 8.5f, l.body.cy - l.body.ry + 1.0f, 3.6f, 7.0f, side * 0.45f + l.lean};
}

float StalkDistance(const Look& l, float x, float y) {
    const float baseX = l.body.cx + 1.0f, baseY = l.body.cy - l.body.ry + 2.0f;
    const float midX = (baseX + l.orbX) / 2.0f + 1.5f, midY = (baseY + l.orbY) / 2.0f;
    return std::min(SegmentDistance(x, y, baseX, baseY, midX, midY),
                    SegmentDistance(x, y, midX, midY, l.orbX, l.orbY));
}

// A wind arc around the lower body: a ring segment on one side that thins towards its ends.
float Swirl(const Look& l, float x, float y) {
    if (l.swirlSide == 0) return 0.0f;
    const float dx = x - l.body.cx, dy = y - (l.body.cy + 2.0f);
    const float r = std::sqrt(dx * dx + dy * dy);
    const float angle = std::atan2(dy, dx * float(l.swirlSide));  // 0 pointing to the swirl side
    float strength = 0.0f;
    for (int k = 0; k < 2; ++k) {
        const float radius = 21.0f + 5.0f * float(k);
        const float from = -0.9f + 0.5f * float(k), to = 1.3f - 0.3f * float(k);
        if (angle < from || angle > to) continue;
        const float taper = std::sin((angle - from) / (to - from) * 3.14159265f);
        const float width = 1.6f * taper;
        strength = std::max(strength, (1.0f - SmoothStep(width * 0.5f, width, std::fabs(r - radius))) * taper);
    }
    return strength;
}

Rgba CreatureAt(const Look& l, float x, float y) {
    Rgba c;
    c = Over(Paint(235, 250, 255, 0.75f * Swirl(l, x, y)), c);
    // The antenna orb's halo, behind the silhouette.
    const float ox = x - l.orbX, oy = y - l.orbY;
    const float orbDistance = std::sqrt(ox * ox + oy * oy);
    c = Over(Paint(90, 235, 255, 0.5f * std::exp(-orbDistance * orbDistance / 18.0f)), c);

    const Ellipse feet[2] = {Foot(l, 0), Foot(l, 1)};
    const Ellipse ears[2] = {Ear(l, 0), Ear(l, 1)};
    const float stalk = StalkDistance(l, x, y);
    const bool silhouette = l.body.Contains(x, y, Outline) || feet[0].Contains(x, y, Outline) ||
                            feet[1].Contains(x, y, Outline) || ears[0].Contains(x, y, Outline) ||
                            ears[1].Contains(x, y, Outline) || stalk < 0.9f + Outline;
    if (silhouette) c = Paint(44, 18, 40);
    if (stalk < 0.9f) c = Paint(120, 70, 60);
    for (const Ellipse& foot : feet)
        if (foot.Contains(x, y)) c = Paint(214, 118, 44);
    for (const Ellipse& ear : ears) {
        if (ear.Contains(x, y)) c = Paint(236, 150, 52);
        if (ear.Contains(x, y, -2.2f)) c = Paint(250, 140, 150);
    }
    if (l.body.Contains(x, y)) {
        // Round shading: bright towards the top left, warm shadow at the bottom right.
        const float nx = (x - l.body.cx) / l.body.rx, ny = (y - l.body.cy) / l.body.ry;
        const float light = Clamp01(0.55f - 0.45f * nx - 0.55f * ny);
        c = Paint(222 + 33 * light, 128 + 100 * light, 40 + 90 * light);
        const Ellipse belly{l.body.cx, l.body.cy + l.body.ry * 0.45f, l.body.rx * 0.62f, l.body.ry * 0.42f};
        if (belly.Contains(x, y)) c = Over(Paint(255, 236, 180, 0.7f), c);
        const Ellipse shine{l.body.cx - l.body.rx * 0.45f, l.body.cy - l.body.ry * 0.55f, 3.2f, 2.0f, -0.6f};
        c = Over(Paint(255, 255, 235, 0.8f * (1.0f - SmoothStep(0.6f, 1.0f, shine.Measure(x, y)))), c);
    }
    // Face: two big eyes, blush and a small smile.
    for (int i = 0; i < 2; ++i) {
        const float ex = l.body.cx + (i == 0 ? -6.0f : 6.0f), ey = l.body.cy - 2.0f;
        if (l.blink) {
            const float d = std::fabs(std::sqrt((x - ex) * (x - ex) + (y - ey + 3.0f) * (y - ey + 3.0f)) - 4.0f);
            if (d < 0.9f && y > ey) c = Paint(44, 18, 40);
        } else {
            const Ellipse eye{ex, ey, 4.0f, 5.0f};
            const Ellipse pupil{ex + l.gazeX * 1.2f + 0.4f, ey + 0.8f, 2.4f, 3.3f};
            const Ellipse glint{ex + l.gazeX * 1.2f - 0.6f, ey - 0.9f, 1.0f, 1.0f};
            if (eye.Contains(x, y, 1.0f)) c = Paint(44, 18, 40);
            if (eye.Contains(x, y)) c = Paint(255, 255, 255);
            if (pupil.Contains(x, y)) c = Paint(30, 20, 50);
            if (glint.Contains(x, y)) c = Paint(255, 255, 255);
        }
        const Ellipse blush{l.body.cx + (i == 0 ? -10.5f : 10.5f), l.body.cy + 4.0f, 2.8f, 1.6f};
        c = Over(Paint(255, 110, 130, 0.55f * (1.0f - SmoothStep(0.5f, 1.0f, blush.Measure(x, y)))), c);
    }
    const float mx = x - l.body.cx, my = y - (l.body.cy + 1.5f);
    if (std::fabs(std::sqrt(mx * mx + my * my) - 3.0f) < 0.7f && my > 1.0f) c = Paint(90, 30, 40);
    // The glowing tip.
    if (orbDistance < 3.6f) c = Paint(44, 18, 40);
    if (orbDistance < 2.6f) c = Over(Paint(255, 255, 255, Clamp01(1.2f - orbDistance / 2.0f)), Paint(80, 225, 255));
    if (l.sparkle) {
        const float sx = x - 48.0f, sy = y - 17.0f;
        const float arms = std::exp(-std::fabs(sx) / 3.2f) * std::exp(-sy * sy / 1.0f) +
                           std::exp(-std::fabs(sy) / 3.2f) * std::exp(-sx * sx / 1.0f);
        const float core = std::exp(-(sx * sx + sy * sy) / 3.0f);
        c = Over(Paint(240, 255, 255, std::min(1.0f, arms + core)), c);
    }
    return c;
}

}  // namespace

Canvas DrawCreature(CreatureFrame frame) {
    const Look look = LookOf(frame);
    Canvas canvas(Side, Side);
    canvas.Shade(Supersample, [&look](float x, float y) { return CreatureAt(look, x, y); });
    return canvas;
}

Canvas DrawCreatureIcon(int side) {
    // The part of the 64-pixel frame the creature and its antenna's glow take up.
    constexpr float Left = 4.0f, Top = 1.0f, Width = 56.0f;
    const Look look = LookOf(CreatureFrame::Pose);
    const float scale = Width / float(side);
    Canvas canvas(side, side);
    canvas.Shade(Supersample, [&](float x, float y) { return CreatureAt(look, Left + x * scale, Top + y * scale); });
    return canvas;
}

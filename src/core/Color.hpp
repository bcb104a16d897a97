#pragma once

#include <cstdint>

struct Color {
    uint8_t r = 255;
    uint8_t g = 255;
    uint8_t b = 255;
    uint8_t a = 255;

    // The form the graphics device takes: 0xAARRGGBB.
    constexpr uint32_t Packed() const {
        return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
    }
    constexpr bool operator==(const Color&) const = default;
};

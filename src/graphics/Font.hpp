#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>

#include "core/Vector2.hpp"
#include "graphics/Texture.hpp"

struct Glyph {
    int32_t id = 0;
    int32_t x = 0;  // top-left of the character on the page, texels
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t xoffset = 0;  // where the rectangle is drawn, relative to the pen
    int32_t yoffset = 0;
    int32_t xadvance = 0;  // pen movement after the character
};

struct Kerning {
    int32_t first = 0;
    int32_t second = 0;
    int32_t amount = 0;  // pixels added to the pen's x before `second` is drawn
};

// A bitmap font: one page picture, its glyphs and kerning pairs.
class Font {
public:
    // The amount of the first listed pair (first, second); 0 when there is none.
    int32_t GetKerning(int32_t first, int32_t second) const;
    // The glyph of `code`; an all-zero glyph for a code the font lacks.
    const Glyph& GetGlyph(int32_t code) const;

    // Calls place(glyph, topLeft) for every byte of `text` on one line from `pen`:
    // bytes are signed codes, kerning applies between neighbours, a missing glyph places an
    // empty rectangle and does not move the pen. Gives the pen after the last byte.
    template <class Place>
    Vector2 LayOut(std::string_view text, Vector2 pen, Place&& place) const;
    // How far the pen moves over `text` on one line, in pixels.
    float Width(std::string_view text) const;

    std::unique_ptr<Texture> page;  // may be null when the page picture failed to load
    float lineHeight = 1.0f;
    float spacing = 1.0f;
    std::map<int32_t, Glyph> glyphs;
    std::multimap<int32_t, Kerning> kernings;  // by `first`, equal keys in file order
};

template <class Place>
Vector2 Font::LayOut(std::string_view text, Vector2 pen, Place&& place) const {
    int32_t previous = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const int32_t code = static_cast<int8_t>(text[i]);
        const Glyph& glyph = GetGlyph(code);
        if (i > 0) pen.x += float(GetKerning(previous, code));
        place(glyph, Vector2(pen.x + float(glyph.xoffset), pen.y + float(glyph.yoffset)));
        pen.x += float(glyph.xadvance);
        previous = code;
    }
    return pen;
}

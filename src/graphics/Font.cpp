#include "graphics/Font.hpp"

int32_t Font::GetKerning(int32_t first, int32_t second) const {
    auto [begin, end] = kernings.equal_range(first);
    for (auto it = begin; it != end; ++it) {
        if (it->second.second == second) return it->second.amount;
    }
    return 0;
}

const Glyph& Font::GetGlyph(int32_t code) const {
    static const Glyph none{};
    auto found = glyphs.find(code);
    return found == glyphs.end() ? none : found->second;
}

float Font::Width(std::string_view text) const { return LayOut(text, Vector2(), [](const Glyph&, Vector2) {}).x; }

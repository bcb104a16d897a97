#include <gtest/gtest.h>

#include "graphics/FontManager.hpp"
#include "support/TempContent.hpp"

namespace {

std::string Char(const std::string& id, int x, const std::string& xadvance = "8") {
    return "<char id=\"" + id + "\" x=\"" + std::to_string(x) +
           "\" y=\"0\" width=\"4\" height=\"4\" xoffset=\"0\" " + "yoffset=\"0\"" +
           (xadvance.empty() ? "" : " xadvance=\"" + xadvance + "\"") + "/>";
}

std::string KerningXml(int first, const std::string& second, int amount) {
    return "<kerning first=\"" + std::to_string(first) + "\" second=\"" + second + "\" amount=\"" +
           std::to_string(amount) + "\"/>";
}

// A font description with the given chars and kernings (either element may be left out).
std::string Fnt(const std::string& chars, const std::string& kernings = "") {
    return "<?xml version=\"1.0\"?>\n<font><info face=\"Test\" size=\"8\" spacing=\"2,1\"/>\n"
           "<common lineHeight=\"10\" base=\"8\" pages=\"1\"/><pages><page id=\"0\" "
           "file=\"page.png\"/></pages>\n" +
           (chars.empty() ? "" : "<chars count=\"9\">" + chars + "</chars>") +
           (kernings.empty() ? "" : "\n<kernings>" + kernings + "</kernings>") + "\n</font>\n";
}

std::unique_ptr<Font> Load(const std::string& text) {
    TempContent content;
    content.Write("Content/Fonts/Main/Test.fnt", text);
    return LoadFont("Content/Fonts/Main/Test.fnt");
}

}  // namespace

TEST(LoadFont, ReadsGlyphsAndKerningsTheLaterCharAndTheFirstPairWinning) {
    const auto font =
        Load(Fnt(Char("65", 0, "5") + Char("65", 8, "7") + Char("-23", 4) + "<other/>",
                 KerningXml(65, "66", -1) + KerningXml(65, "-23", -4) + KerningXml(65, "66", -3)));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(std::make_pair(font->lineHeight, font->spacing), std::make_pair(10.0f, 2.0f));
    EXPECT_EQ(font->glyphs.size(), 2u);
    EXPECT_EQ(std::make_pair(font->GetGlyph(65).x, font->GetGlyph(65).xadvance), std::make_pair(8, 7));
    EXPECT_EQ(font->GetGlyph(67).xadvance, 0);  // no glyph: all zero
    EXPECT_EQ(std::make_tuple(font->GetKerning(65, 66), font->GetKerning(65, -23), font->GetKerning(66, 65)),
              std::make_tuple(-1, -4, 0));
    EXPECT_TRUE(Load(Fnt(Char("65", 0)))->kernings.empty());
}

TEST(Font, LaysOutOneLineOfSignedByteCodesKernedAndSkippingMissingGlyphs) {
    Font font;
    font.glyphs[65] = Glyph{65, 0, 0, 4, 4, 1, 2, 10};
    font.glyphs[10] = Glyph{10, 0, 0, 4, 4, 0, 0, 3};
    font.glyphs[-23] = Glyph{-23, 0, 0, 4, 4, 0, 0, 5};  // the byte 0xE9, read as signed
    font.kernings.emplace(65, Kerning{65, 66, -5});      // A and B are never neighbours below
    font.kernings.emplace(66, Kerning{66, -23, -1});
    font.kernings.emplace(-23, Kerning{-23, 65, -2});
    std::vector<Vector2> placed;
    font.LayOut(
        "A\nB\xE9"
        "A",
        Vector2(100, 50), [&](const Glyph&, Vector2 at) { placed.push_back(at); });
    // A at 100 (its offset 1, 2); the line feed at 110 is a glyph like any other, no new line;
    // B has no glyph: placed at 113 without moving the pen, yet it kerns with what follows.
    EXPECT_EQ(placed, (std::vector<Vector2>{{101, 52}, {110, 50}, {113, 50}, {112, 50}, {116, 52}}));
}

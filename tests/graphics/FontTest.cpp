#include <gtest/gtest.h>

#include "core/ErrorReport.hpp"
#include "graphics/FontManager.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TempContent.hpp"
#include "support/TestPictures.hpp"

namespace {

std::string Char(int id, int x, int xadvance = 8) {
    return "<char id=\"" + std::to_string(id) + "\" x=\"" + std::to_string(x) +
           "\" y=\"0\" width=\"4\" height=\"4\" xoffset=\"0\" yoffset=\"0\" xadvance=\"" +
           std::to_string(xadvance) + "\" page=\"0\" chnl=\"15\"/>";
}

std::string Kerning(int first, int second, int amount) {
    return "<kerning first=\"" + std::to_string(first) + "\" second=\"" + std::to_string(second) +
           "\" amount=\"" + std::to_string(amount) + "\"/>";
}

// A font description with the given chars and kernings elements (either may be left out).
std::string Fnt(const std::string& chars, const std::string& kernings, const std::string& spacing = "1,1") {
    return "<?xml version=\"1.0\"?>\n<font>\n"
           "<info face=\"Test\" size=\"8\" spacing=\"" + spacing + "\"/>\n"
           "<common lineHeight=\"10\" base=\"8\" pages=\"1\"/>\n"
           "<pages><page id=\"0\" file=\"page.png\"/></pages>\n" +
           chars + "\n" + kernings + "\n</font>\n";
}

std::string Chars(const std::string& inner) { return "<chars count=\"9\">" + inner + "</chars>"; }
std::string Kernings(const std::string& inner) { return "<kernings>" + inner + "</kernings>"; }

class Fonts : public ::testing::Test {
protected:
    std::unique_ptr<Font> Load(const std::string& text) {
        content.Write("Content/Fonts/Main/Test.fnt", text);
        return LoadFont("Content/Fonts/Main/Test.fnt");
    }
    std::string ErrorFor(const std::string& text) {
        try {
            Load(text);
        } catch (const std::exception& e) {
            return DescribeFatalError(e);
        }
        return "no error";
    }
    TempContent content;
};

TEST_F(Fonts, ReadsGlyphsKerningsAndTheNumbersAround) {
    auto font = Load(Fnt(Chars(Char(65, 0) + Char(66, 4, 9) + "<other/>"), Kernings(Kerning(65, 66, -2))));
    EXPECT_EQ(font->lineHeight, 10.0f);
    EXPECT_EQ(font->spacing, 1.0f);
    ASSERT_EQ(font->glyphs.size(), 2u);
    EXPECT_EQ(font->GetGlyph(66).x, 4);
    EXPECT_EQ(font->GetGlyph(66).xadvance, 9);
    EXPECT_EQ(font->GetKerning(65, 66), -2);
    EXPECT_EQ(font->GetKerning(66, 65), 0);
    EXPECT_EQ(font->GetGlyph(67).xadvance, 0);  // no glyph: all zero
    EXPECT_EQ(font->page, nullptr);             // no device in this test
}

TEST_F(Fonts, LaterDuplicateCharWinsFirstDuplicatePairWins) {
    auto font = Load(Fnt(Chars(Char(65, 0, 5) + Char(65, 8, 7)),
                         Kernings(Kerning(65, 66, -1) + Kerning(65, 67, -4) + Kerning(65, 66, -3))));
    EXPECT_EQ(font->GetGlyph(65).x, 8);
    EXPECT_EQ(font->GetGlyph(65).xadvance, 7);
    EXPECT_EQ(font->GetKerning(65, 66), -1);
    EXPECT_EQ(font->GetKerning(65, 67), -4);
}

TEST_F(Fonts, WithoutKerningsElementLoadsWithNoPairs) {
    auto font = Load(Fnt(Chars(Char(65, 0)), ""));
    EXPECT_TRUE(font->kernings.empty());
    EXPECT_EQ(font->glyphs.size(), 1u);
}

TEST_F(Fonts, LayoutStaysOnOneLineAndSkipsMissingGlyphs) {
    auto font = Load(Fnt(Chars(Char(65, 0, 10) + Char(10, 0, 3)), Kernings(Kerning(65, 66, -2) + Kerning(66, 65, -1))));
    std::vector<Vector2> placed;
    font->LayOut("A\nBA", Vector2(100, 50), [&](const Glyph&, Vector2 at) { placed.push_back(at); });
    // A at 100; line feed at 110 (its own glyph, no kerning); B is missing: placed at 113 with
    // kerning 0 from the line feed, moves nothing; A after B gets B's kerning of -1.
    EXPECT_EQ(placed, (std::vector<Vector2>{{100, 50}, {110, 50}, {113, 50}, {112, 50}}));
    placed.clear();
    font->LayOut("", Vector2(), [&](const Glyph&, Vector2 at) { placed.push_back(at); });
    EXPECT_TRUE(placed.empty());
}

TEST_F(Fonts, BadContentIsOneLineNamingTheFile) {
    const std::string file = "Content/Fonts/Main/Test.fnt: ";
    const std::pair<std::string, std::string> cases[] = {
        {"<font><info", "line "},
        {Fnt("", Kernings("")), "missing font.chars"},
        {Fnt(Chars("<char id=\"65\" x=\"0\" y=\"0\" width=\"4\" height=\"4\" xoffset=\"0\" yoffset=\"0\"/>"), ""),
         "\"xadvance\""},
        {Fnt(Chars(Char(65, 0)), Kernings("<kerning first=\"65\" second=\"x\" amount=\"-1\"/>")),
         "not a whole number: \"x\""},
        {Fnt(Chars("<char id=\"1.5\" x=\"0\" y=\"0\" width=\"4\" height=\"4\" xoffset=\"0\" yoffset=\"0\" xadvance=\"1\"/>"), ""),
         "not a whole number: \"1.5\""},
        {"<font><common lineHeight=\"ten\"/></font>", "lineHeight"},
    };
    for (const auto& [text, problem] : cases) {
        const std::string line = ErrorFor(text);
        EXPECT_EQ(line.rfind(file, 0), 0u) << line;
        EXPECT_NE(line.find(problem), std::string::npos) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    }
}

TEST_F(Fonts, BankLoadsFntFilesOfAnyCaseAndTheirPages) {
    HeadlessScreen screen;
    WritePng("Content/Fonts/Main/page.png", 16, 16, Color{});
    content.Write("Content/Fonts/Main/Title.FNT", Fnt(Chars(Char(65, 0)), ""));
    content.Write("Content/Fonts/Main/notes.txt", "not a font");
    content.Write("Content/Fonts/Zed/Title.fnt", Fnt(Chars(Char(66, 0)), ""));
    FontManager fonts;
    fonts.LoadBank("Zed");
    fonts.LoadBank("Main");
    const Font* title = fonts.GetFont("Title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->glyphs.count(65), 1u);  // "Main" sorts before "Zed"
    ASSERT_NE(title->page, nullptr);
    EXPECT_EQ(title->page->width, 16.0f);
    EXPECT_EQ(fonts.GetFont("title"), nullptr);
    EXPECT_EQ(fonts.banks["Main"]->fonts.size(), 1u);
    fonts.banks.clear();
}

TEST_F(Fonts, MissingBankFolderNamesIt) {
    FontManager fonts;
    try {
        fonts.LoadBank("Nope");
        ADD_FAILURE() << "a missing folder loaded";
    } catch (const std::exception& e) {
        EXPECT_EQ(DescribeFatalError(e).rfind("Content/Fonts/Nope: ", 0), 0u) << e.what();
    }
    EXPECT_TRUE(fonts.banks.empty());
}

}  // namespace

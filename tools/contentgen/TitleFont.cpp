#include "TitleFont.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "Canvas.hpp"

namespace {

constexpr int FirstCode = 32, LastCode = 126;
constexpr int PageSide = 256;
constexpr int Padding = 1;  // the description's spacing: one texel between glyphs

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

void Check(FT_Error error, const std::string& what) {
    if (error) throw std::runtime_error(what + ": FreeType error " + std::to_string(error));
}

struct BakedGlyph {
    int id, x, y, width, height, xoffset, yoffset, xadvance;
};

}  // namespace

void BakeFont(const std::string& facePath, int pixelSize, const std::string& folder, const std::string& name) {
    FT_Library rawLibrary = nullptr;
    Check(FT_Init_FreeType(&rawLibrary), "FreeType");
    std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library(rawLibrary);
    FT_Face rawFace = nullptr;
    Check(FT_New_Face(library.get(), facePath.c_str(), 0, &rawFace), facePath);
    std::unique_ptr<FT_FaceRec_, FaceDeleter> face(rawFace);
    Check(FT_Set_Pixel_Sizes(face.get(), 0, FT_UInt(pixelSize)), facePath);
    if (!FT_HAS_KERNING(face.get())) throw std::runtime_error(facePath + ": the face has no kerning table");

    const FT_Size_Metrics& metrics = face->size->metrics;
    const int base = int((metrics.ascender + 63) / 64);
    const int lineHeight = int((metrics.height + 63) / 64);

    Canvas page(PageSide, PageSide);
    std::vector<BakedGlyph> glyphs;
    int penX = Padding, penY = Padding, rowHeight = 0;
    for (int code = FirstCode; code <= LastCode; ++code) {
        Check(FT_Load_Char(face.get(), FT_ULong(code), FT_LOAD_RENDER), facePath);
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const int w = int(bitmap.width), h = int(bitmap.rows);
        if (penX + w + Padding > PageSide) penX = Padding, penY += rowHeight + Padding, rowHeight = 0;
        if (penY + h + Padding > PageSide) throw std::runtime_error(facePath + ": glyphs do not fit the page");
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const float coverage = float(bitmap.buffer[y * bitmap.pitch + x]) / 255.0f;
                page.At(penX + x, penY + y) = Paint(255, 255, 255, coverage);
            }
        }
        glyphs.push_back({code, penX, penY, w, h, slot->bitmap_left, base - slot->bitmap_top,
                          int((slot->advance.x + 32) / 64)});
        penX += w + Padding;
        rowHeight = std::max(rowHeight, h);
    }

    std::ostringstream kerning;
    int kerningCount = 0;
    for (int first = FirstCode; first <= LastCode; ++first) {
        const FT_UInt left = FT_Get_Char_Index(face.get(), FT_ULong(first));
        for (int second = FirstCode; second <= LastCode; ++second) {
            const FT_UInt right = FT_Get_Char_Index(face.get(), FT_ULong(second));
            FT_Vector delta{0, 0};
            Check(FT_Get_Kerning(face.get(), left, right, FT_KERNING_DEFAULT, &delta), facePath);
            const long amount = std::lround(double(delta.x) / 64.0);
            if (amount == 0) continue;
            kerning << "    <kerning first=\"" << first << "\" second=\"" << second << "\" amount=\"" << amount
                    << "\"/>\n";
            ++kerningCount;
        }
    }

    const std::string pageFile = name + "_0.png";
    page.SavePng(folder + "/" + pageFile);

    std::ostringstream fnt;
    fnt << "<?xml version=\"1.0\"?>\n<font>\n"
        << "  <info face=\"" << face->family_name << " " << face->style_name << "\" size=\"" << pixelSize
        << "\" bold=\"0\" italic=\"0\" charset=\"\" unicode=\"0\" stretchH=\"100\" smooth=\"1\" aa=\"1\""
        << " padding=\"0,0,0,0\" spacing=\"" << Padding << "," << Padding << "\" outline=\"0\"/>\n"
        << "  <common lineHeight=\"" << lineHeight << "\" base=\"" << base << "\" scaleW=\"" << PageSide
        << "\" scaleH=\"" << PageSide << "\" pages=\"1\" packed=\"0\" alphaChnl=\"0\" redChnl=\"4\""
        << " greenChnl=\"4\" blueChnl=\"4\"/>\n"
        << "  <pages>\n    <page id=\"0\" file=\"" << pageFile << "\"/>\n  </pages>\n"
        << "  <chars count=\"" << glyphs.size() << "\">\n";
    for (const BakedGlyph& g : glyphs) {
        fnt << "    <char id=\"" << g.id << "\" x=\"" << g.x << "\" y=\"" << g.y << "\" width=\"" << g.width
            << "\" height=\"" << g.height << "\" xoffset=\"" << g.xoffset << "\" yoffset=\"" << g.yoffset
            << "\" xadvance=\"" << g.xadvance << "\" page=\"0\" chnl=\"15\"/>\n";
    }
    fnt << "  </chars>\n  <kernings count=\"" << kerningCount << "\">\n"
        << kerning.str() << "  </kernings>\n</font>\n";

    const std::string fntPath = folder + "/" + name + ".fnt";
    std::ofstream out(fntPath, std::ios::binary | std::ios::trunc);
    out << fnt.str();
    if (!out) throw std::runtime_error(fntPath + ": cannot write");
}

#include "graphics/FontManager.hpp"

#include <cstdint>
#include <sstream>
#include <stdexcept>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include "core/ContentError.hpp"
#include "core/ContentFolder.hpp"
#include "core/ContentProblems.hpp"
#include "core/ContentText.hpp"
#include "core/FolderListing.hpp"
#include "graphics/TextureManager.hpp"

namespace pt = boost::property_tree;

namespace {

// A required attribute of a "char" or "kerning" element, as a 32-bit whole number.
int32_t Attribute(const pt::ptree& element, const char* elementName, const char* name) {
    const auto attribute = element.get_child_optional(pt::ptree::path_type(std::string("<xmlattr>.") + name));
    if (!attribute) {
        throw std::runtime_error(std::string("a \"") + elementName + "\" element has no \"" + name +
                                 "\" attribute");
    }
    const auto value = attribute->get_value_optional<int32_t>();
    if (!value) {
        throw std::runtime_error(std::string("the \"") + name + "\" attribute of a \"" + elementName +
                                 "\" element is not a whole number: \"" + attribute->data() + "\"");
    }
    return *value;
}

// The element or attribute at `path` (attributes as "<xmlattr>.name"), which must exist.
const pt::ptree& Required(const pt::ptree& tree, const char* path) {
    const auto child = tree.get_child_optional(pt::ptree::path_type(path));
    if (!child) throw std::runtime_error(std::string("missing ") + path);
    return *child;
}

Glyph ReadGlyph(const pt::ptree& e) {
    const auto a = [&](const char* name) { return Attribute(e, "char", name); };
    return Glyph{a("id"),     a("x"),       a("y"),       a("width"),
                 a("height"), a("xoffset"), a("yoffset"), a("xadvance")};
}

Kerning ReadKerning(const pt::ptree& e) {
    const auto a = [&](const char* name) { return Attribute(e, "kerning", name); };
    return Kerning{a("first"), a("second"), a("amount")};
}

// A glyph with an area is cut from the page when drawn, so its rectangle must lie on the page.
// Checked in 64 bits: a glyph at x 2147483647 is named here instead of overflowing the draw.
void CheckGlyphsOnPage(const Font& font, const boost::filesystem::path& path) {
    const auto pageW = int64_t(font.page->width), pageH = int64_t(font.page->height);
    for (const auto& [code, g] : font.glyphs) {
        if (g.width <= 0 || g.height <= 0) continue;
        const bool onPage = g.x >= 0 && g.y >= 0 && int64_t(g.x) + g.width <= pageW &&
                            int64_t(g.y) + g.height <= pageH;
        if (onPage) continue;
        const auto str = [](int64_t n) { return std::to_string(n); };
        throw ContentError(path, "the \"char\" element of id " + str(code) + " (x " + str(g.x) + ", y " +
                                     str(g.y) + ", width " + str(g.width) + ", height " + str(g.height) +
                                     ") lies outside its page (" + str(pageW) + " x " + str(pageH) + ")");
    }
}

}  // namespace

std::unique_ptr<Font> LoadFont(const boost::filesystem::path& path) {
    auto font = std::make_unique<Font>();
    std::istringstream text(ReadContentText(path, XmlNestingDepth));
    pt::ptree tree;
    std::string pageFile;
    LoadingFile(path, [&] {
        pt::read_xml(text, tree);
        const pt::ptree& lineHeight = Required(tree, "font.common.<xmlattr>.lineHeight");
        const auto height = lineHeight.get_value_optional<float>();
        if (!height) throw std::runtime_error("the lineHeight is not a number: \"" + lineHeight.data() + "\"");
        font->lineHeight = *height;
        const std::string spacing = Required(tree, "font.info.<xmlattr>.spacing").data();
        try {
            font->spacing = std::stof(spacing.substr(0, spacing.find(',')));
        } catch (const std::exception&) {
            font->spacing = 1.0f;  // plays no part in the layout
        }
        pageFile = Required(tree, "font.pages.page.<xmlattr>.file").data();
        for (const auto& [name, child] : Required(tree, "font.chars")) {
            if (name != "char") continue;
            const Glyph glyph = ReadGlyph(child);
            font->glyphs[glyph.id] = glyph;
        }
        if (auto kernings = tree.get_child_optional("font.kernings")) {
            for (const auto& [name, child] : *kernings) {
                if (name != "kerning") continue;
                const Kerning k = ReadKerning(child);
                font->kernings.emplace(k.first, k);
            }
        }
    });
    std::string why;
    font->page = LoadTextureFromFile(path.parent_path() / pageFile, &why);
    // Without a page nothing is ever drawn.
    if (!font->page) ContentProblems::Note(path, "its page \"" + pageFile + "\" cannot be loaded: " + why);
    if (font->page) CheckGlyphsOnPage(*font, path);
    return font;
}

void FontManager::LoadBank(const std::string& name) {
    if (banks.count(name) && banks[name]) return;
    auto bank = std::make_unique<FontBank>();
    ForEachFileWithExtension(ContentFolder() / "Fonts" / name, ".fnt", [&](const auto& file) {
        LoadingEach([&] { bank->fonts[StemOf(file)] = LoadFont(file); });
    });
    banks[name] = std::move(bank);
}

void FontManager::UnloadBank(const std::string& name) { banks.erase(name); }

Font* FontManager::GetFont(const std::string& name) const {
    for (const auto& [bankName, bank] : banks) {
        auto found = bank->fonts.find(name);
        if (found != bank->fonts.end()) return found->second.get();
    }
    return nullptr;
}

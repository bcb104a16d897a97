#include "graphics/FontManager.hpp"

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include "core/ContentError.hpp"
#include "core/FolderListing.hpp"
#include "graphics/TextureManager.hpp"

namespace pt = boost::property_tree;

namespace {

int32_t Attribute(const pt::ptree& element, const char* name) {
    return element.get<int32_t>(pt::ptree::path_type(std::string("<xmlattr>.") + name));
}

Glyph ReadGlyph(const pt::ptree& e) {
    return Glyph{Attribute(e, "id"),      Attribute(e, "x"),       Attribute(e, "y"),
                 Attribute(e, "width"),   Attribute(e, "height"),  Attribute(e, "xoffset"),
                 Attribute(e, "yoffset"), Attribute(e, "xadvance")};
}

Kerning ReadKerning(const pt::ptree& e) {
    return Kerning{Attribute(e, "first"), Attribute(e, "second"), Attribute(e, "amount")};
}

}  // namespace

std::unique_ptr<Font> LoadFont(const boost::filesystem::path& path) {
    auto font = std::make_unique<Font>();
    pt::ptree tree;
    std::string pageFile;
    LoadingFile(path, [&] {
        pt::read_xml(path.string(), tree);
        font->lineHeight = tree.get<float>("font.common.<xmlattr>.lineHeight");
        const std::string spacing = tree.get<std::string>("font.info.<xmlattr>.spacing");
        try {
            font->spacing = std::stof(spacing.substr(0, spacing.find(',')));
        } catch (const std::exception&) {
            font->spacing = 1.0f;  // plays no part in the layout
        }
        pageFile = tree.get<std::string>("font.pages.page.<xmlattr>.file");
        for (const auto& [name, child] : tree.get_child("font.chars")) {
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
    font->page = LoadTextureFromFile(path.parent_path() / pageFile);
    return font;
}

void FontManager::LoadBank(const std::string& name) {
    if (banks.count(name) && banks[name]) return;
    auto bank = std::make_unique<FontBank>();
    for (const auto& entry : ListFolder(boost::filesystem::path("Content/Fonts") / name)) {
        if (!IsRegularFile(entry) || LowerExtension(entry) != ".fnt") continue;
        bank->fonts[StemOf(entry)] = LoadFont(entry);
    }
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

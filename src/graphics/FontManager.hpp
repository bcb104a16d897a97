#pragma once

#include <map>
#include <memory>
#include <string>

#include <boost/filesystem/path.hpp>

#include "graphics/Font.hpp"

// Reads a font description in the XML form of the bitmap-font format and loads its page.
// A file that is not XML, or lacks a required element or attribute, or holds an attribute
// that is not a number, nests deeper than maxNestingDepth, or has a glyph that does not lie
// on its loaded page, is a ContentError naming the file. A font without kerning pairs may
// leave out the "kernings" element.
std::unique_ptr<Font> LoadFont(const boost::filesystem::path& path);

class FontBank {
public:
    std::map<std::string, std::unique_ptr<Font>> fonts;  // by the file's stem, case kept
};

class FontManager {
public:
    // Loads every ".fnt" (any case) directly in Content/Fonts/<name>; once per name.
    void LoadBank(const std::string& name);
    void UnloadBank(const std::string& name);
    // Searches the banks in ascending name; null for an unknown font.
    Font* GetFont(const std::string& name) const;

    std::map<std::string, std::unique_ptr<FontBank>> banks;
};

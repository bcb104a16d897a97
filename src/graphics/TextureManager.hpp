#pragma once

#include <map>
#include <memory>
#include <string>

#include <boost/filesystem/path.hpp>

#include "graphics/Texture.hpp"

// Loads a PNG onto the device of GameSettings. Sides that are not powers of two are stretched
// to the next powers of two, and width/height report those. Null when the file cannot be
// loaded, its header claims a side over 8192 pixels, or there is no device yet; nothing is
// reported, but `why`, if given, receives the reason.
std::unique_ptr<Texture> LoadTextureFromFile(const boost::filesystem::path& path, std::string* why = nullptr);

class TextureBank {
public:
    virtual ~TextureBank() = default;
    // By name (the file's stem, case kept); an entry is null when its file failed to load.
    std::map<std::string, std::unique_ptr<Texture>> textures;
};

class TextureManager {
public:
    virtual ~TextureManager() = default;

    // Loads every ".png" (any case) directly in Content/Textures/<name>; once per name.
    // A missing folder is a ContentError and stores no bank. A picture that does not load is
    // left out (a content check notes it).
    void LoadBank(const std::string& name);
    void UnloadBank(const std::string& name);
    // Searches the banks in ascending name; the first bank with the name answers, even null.
    Texture* GetTexture(const std::string& name) const;

    std::map<std::string, std::unique_ptr<TextureBank>> banks;
};

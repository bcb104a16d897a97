#pragma once

#include <boost/filesystem/path.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A fresh working folder with an empty Content/ tree (Config with "{}" key mappings, Levels,
// Textures/Main, Fonts/Main, Sound/Main, Music) that the test runs in, with HOME and the XDG
// data, state and config folders inside it, so a game run in the test process writes nothing outside;
// the previous working folder and variables are restored and the folder removed when it goes.
class TempContent {
public:
    TempContent();
    ~TempContent();
    TempContent(const TempContent&) = delete;
    TempContent& operator=(const TempContent&) = delete;

    // Writes `text` to `relative` (below the working folder), creating folders on the way.
    void Write(const std::string& relative, const std::string& text) const;
    std::string Read(const std::string& relative) const;
    // Copies a folder of the repository (relative to its top) to `relative`.
    void CopyFromSource(const std::string& sourceRelative, const std::string& relative) const;

    const boost::filesystem::path& path() const { return path_; }

private:
    boost::filesystem::path path_, previous_;
    std::vector<std::pair<const char*, std::optional<std::string>>> variables_;  // as they were
};

#include "support/TempContent.hpp"

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = boost::filesystem;

TempContent::TempContent()
    : path_(fs::temp_directory_path() / fs::unique_path("glimmer-test-%%%%-%%%%-%%%%")),
      previous_(fs::current_path()) {
    for (const char* folder : {"Levels", "Textures/Main", "Fonts/Main", "Sound/Main", "Music"}) {
        fs::create_directories(path_ / "Content" / folder);
    }
    Write("Content/Config/KeyMappings.json", "{}");
    fs::current_path(path_);
    for (const auto& [name, under] : {std::pair{"HOME", "home"}, {"XDG_DATA_HOME", "home/data"},
                                      {"XDG_STATE_HOME", "home/state"}, {"XDG_CONFIG_HOME", "home/config"}}) {
        const char* was = std::getenv(name);
        variables_.emplace_back(name, was ? std::optional<std::string>(was) : std::nullopt);
        setenv(name, (path_ / under).c_str(), 1);
    }
}

TempContent::~TempContent() {
    for (const auto& [name, was] : variables_) was ? (void)setenv(name, was->c_str(), 1) : (void)unsetenv(name);
    boost::system::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(path_, ec);
}

void TempContent::Write(const std::string& relative, const std::string& text) const {
    fs::create_directories((path_ / relative).parent_path());
    std::ofstream out((path_ / relative).string(), std::ios::binary | std::ios::trunc);
    if (!(out << text)) throw std::runtime_error("cannot write " + relative);
}

std::string TempContent::Read(const std::string& relative) const {
    std::ifstream in((path_ / relative).string(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void TempContent::CopyFromSource(const std::string& sourceRelative, const std::string& relative) const {
    const fs::path from = fs::path(GAME_SOURCE_DIR) / sourceRelative;
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
        const fs::path target = path_ / relative / fs::relative(entry.path(), from);
        fs::create_directories(target.parent_path());
        if (!fs::is_directory(entry.path()))
            fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
    }
}

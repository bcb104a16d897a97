#include "support/TempContent.hpp"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>

namespace fs = boost::filesystem;

TempContent::TempContent() {
    previous_ = fs::current_path();
    path_ = fs::temp_directory_path() / fs::unique_path("glimmer-test-%%%%-%%%%-%%%%");
    for (const char* folder : {"Content/Config", "Content/Levels", "Content/Textures/Main",
                               "Content/Fonts/Main", "Content/Sound/Main", "Content/Music"}) {
        fs::create_directories(path_ / folder);
    }
    Write("Content/Config/KeyMappings.json", "{}");
    fs::current_path(path_);
}

TempContent::~TempContent() {
    boost::system::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(path_, ec);
}

void TempContent::Write(const std::string& relative, const std::string& text) const {
    const fs::path target = path_ / relative;
    fs::create_directories(target.parent_path());
    std::ofstream out(target.string(), std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + target.string());
}

void TempContent::CopyFromSource(const std::string& sourceRelative, const std::string& relative) const {
    const fs::path from = fs::path(GAME_SOURCE_DIR) / sourceRelative;
    const fs::path to = path_ / relative;
    if (fs::is_directory(from)) {
        fs::create_directories(to);
        for (const auto& entry : fs::recursive_directory_iterator(from)) {
            const fs::path target = to / fs::relative(entry.path(), from);
            if (fs::is_directory(entry.path())) {
                fs::create_directories(target);
            } else {
                fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
            }
        }
    } else {
        fs::create_directories(to.parent_path());
        fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    }
}

std::string TempContent::Read(const std::string& relative) const {
    std::ifstream in((path_ / relative).string(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

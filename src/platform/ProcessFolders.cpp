#include "platform/ProcessFolders.hpp"

#include <boost/filesystem/operations.hpp>

namespace fs = boost::filesystem;

fs::path InstalledDataFolder() { return GAME_DATA_FOLDER; }

ContentSearch ThisProcessSearch(const std::optional<std::string>& dataDirOption) {
    ContentSearch search;
    boost::system::error_code error;
    search.workingFolder = fs::current_path(error);
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) search.executableFolder = executable.parent_path();
    search.dataFolder = InstalledDataFolder();
    if (dataDirOption) search.dataDirOption = fs::path(*dataDirOption);
    return search;
}

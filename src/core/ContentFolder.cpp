#include "core/ContentFolder.hpp"

#include <boost/filesystem/operations.hpp>
#include <utility>

namespace fs = boost::filesystem;

namespace {

struct Chosen {
    fs::path folder{"Content"};
    ContentSource source = ContentSource::WorkingFolder;
};

Chosen& chosen() {
    static Chosen content;
    return content;
}

bool HoldsContent(const fs::path& folder) {
    boost::system::error_code error;
    return !folder.empty() && fs::is_directory(folder / "Content", error);
}

}  // namespace

const fs::path& ContentFolder() { return chosen().folder; }

ContentSource ContentFolderSource() { return chosen().source; }

void SetContentFolder(const fs::path& folder, ContentSource source) { chosen() = {folder, source}; }

ContentLookup FindContentFolder(const ContentSearch& search) {
    ContentLookup lookup;
    if (search.dataDirOption) {
        const fs::path& given = *search.dataDirOption;
        if (HoldsContent(given)) {
            lookup.folder = given / "Content";
            lookup.source = ContentSource::DataDirOption;
        } else {
            lookup.problem = "--data-dir " + given.string() + ": that folder holds no Content folder";
        }
        return lookup;
    }
    std::string tried;
    const std::pair<const fs::path*, ContentSource> candidates[] = {
        {&search.workingFolder, ContentSource::WorkingFolder},
        {&search.executableFolder, ContentSource::BesideExecutable},
        {&search.dataFolder, ContentSource::Installed}};
    for (const auto& [folder, source] : candidates) {
        if (folder->empty()) continue;
        if (HoldsContent(*folder)) {
            lookup.folder = source == ContentSource::WorkingFolder ? fs::path("Content") : *folder / "Content";
            lookup.source = source;
            return lookup;
        }
        tried += (tried.empty() ? "" : ", ") + (*folder / "Content").string();
    }
    // Worded as every content error is: the file, then what is wrong with it.
    lookup.problem = "Content: No such file or directory (tried " + tried + ")";
    return lookup;
}

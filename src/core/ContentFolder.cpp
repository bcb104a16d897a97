#include "core/ContentFolder.hpp"

#include <boost/filesystem/operations.hpp>

namespace fs = boost::filesystem;

namespace {

fs::path& Current() {
    static fs::path folder("Content");
    return folder;
}

bool HoldsContent(const fs::path& folder) {
    boost::system::error_code error;
    return !folder.empty() && fs::is_directory(folder / "Content", error);
}

}  // namespace

const fs::path& ContentFolder() { return Current(); }

void SetContentFolder(const fs::path& folder) { Current() = folder; }

ContentLookup FindContentFolder(const ContentSearch& search) {
    ContentLookup lookup;
    if (search.dataDirOption) {
        const fs::path& given = *search.dataDirOption;
        if (HoldsContent(given)) {
            lookup.folder = given / "Content";
        } else {
            lookup.problem = "--data-dir " + given.string() + ": that folder holds no Content folder";
        }
        return lookup;
    }
    std::string tried;
    for (const fs::path* folder : {&search.workingFolder, &search.executableFolder, &search.dataFolder}) {
        if (folder->empty()) continue;
        if (HoldsContent(*folder)) {
            lookup.folder = folder == &search.workingFolder ? fs::path("Content") : *folder / "Content";
            return lookup;
        }
        tried += (tried.empty() ? "" : ", ") + (*folder / "Content").string();
    }
    // Worded as every content error is: the file, then what is wrong with it.
    lookup.problem = "Content: No such file or directory (tried " + tried + ")";
    return lookup;
}

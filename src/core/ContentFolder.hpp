#pragma once

#include <boost/filesystem/path.hpp>
#include <cstdint>
#include <optional>
#include <string>

// Which candidate the content was found in. Installed content is not the user's to change.
enum class ContentSource : uint8_t { WorkingFolder, BesideExecutable, Installed, DataDirOption };

// The folder every content file is read from: "Content" (relative to the working folder)
// until SetContentFolder names another, and where it was found.
const boost::filesystem::path& ContentFolder();
ContentSource ContentFolderSource();
void SetContentFolder(const boost::filesystem::path& folder, ContentSource source = ContentSource::WorkingFolder);

// Where content may be found. Each folder is one that holds (or may hold) a "Content" folder;
// an empty path is no candidate.
struct ContentSearch {
    boost::filesystem::path workingFolder;                 // the process's current folder, absolute
    boost::filesystem::path executableFolder;              // the folder of the running executable
    boost::filesystem::path dataFolder;                    // the installed data folder
    std::optional<boost::filesystem::path> dataDirOption;  // --data-dir: the only candidate
};

struct ContentLookup {
    std::optional<boost::filesystem::path> folder;  // the Content folder found
    ContentSource source = ContentSource::WorkingFolder;  // the candidate it was found in
    std::string problem;  // one line for the user when none was found
};

// The first candidate holding a Content folder: working folder, executable folder, data
// folder; with --data-dir only that folder. Found in the working folder it is the relative
// path "Content", so that messages and saves name files as they always did.
ContentLookup FindContentFolder(const ContentSearch& search);

#pragma once

#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

// The entries directly in `folder`, sorted by file name case-insensitively, ties in byte
// order. The file system's own order is a hash on ext4; rules like "the first level listed
// is shown" must not depend on it. A missing or unreadable folder is a ContentError.
std::vector<boost::filesystem::path> ListFolder(const boost::filesystem::path& folder);

// The listing order of two entries: by file name, case-insensitively, ties in byte order.
bool ListedBefore(const boost::filesystem::path& a, const boost::filesystem::path& b);

// The file name's extension from the last dot on, ASCII letters lower-cased (".png").
std::string LowerExtension(const boost::filesystem::path& file);

// The file name with its ASCII letters lower-cased: names compared letter case aside.
std::string LowerFileName(const boost::filesystem::path& file);

// The file name without its last extension, case kept.
std::string StemOf(const boost::filesystem::path& file);

// True for a regular file (links to one included).
bool IsRegularFile(const boost::filesystem::path& file);

// Calls use(file) for each regular file directly in `folder` whose lower-cased extension is
// `extension` (".png"), in ListFolder's order.
template <class Use>
void ForEachFileWithExtension(const boost::filesystem::path& folder, const std::string& extension, Use&& use) {
    for (const auto& entry : ListFolder(folder)) {
        if (IsRegularFile(entry) && LowerExtension(entry) == extension) use(entry);
    }
}

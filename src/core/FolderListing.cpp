#include "core/FolderListing.hpp"

#include <algorithm>

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>

#include "core/ContentError.hpp"

namespace fs = boost::filesystem;

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

}  // namespace

bool ListedBefore(const fs::path& entryA, const fs::path& entryB) {
    const std::string a = entryA.filename().string(), b = entryB.filename().string();
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char la = LowerAscii(a[i]), lb = LowerAscii(b[i]);
        if (la != lb) return (unsigned char)la < (unsigned char)lb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

std::vector<fs::path> ListFolder(const fs::path& folder) {
    std::vector<fs::path> entries;
    boost::system::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) throw ContentError(folder, "cannot list the folder: " + ec.message());
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) throw ContentError(folder, "cannot list the folder: " + ec.message());
        entries.push_back(it->path());
    }
    if (ec) throw ContentError(folder, "cannot list the folder: " + ec.message());
    std::sort(entries.begin(), entries.end(), ListedBefore);
    return entries;
}

std::string LowerExtension(const fs::path& file) {
    const std::string name = file.filename().string();
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) return {};
    std::string ext = name.substr(dot);
    for (char& c : ext) c = LowerAscii(c);
    return ext;
}

std::string LowerFileName(const fs::path& file) {
    std::string name = file.filename().string();
    for (char& c : name) c = LowerAscii(c);
    return name;
}

std::string StemOf(const fs::path& file) {
    const std::string name = file.filename().string();
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool IsRegularFile(const fs::path& file) {
    boost::system::error_code ec;
    return fs::is_regular_file(file, ec);
}

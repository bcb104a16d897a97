#pragma once

#include <stdexcept>
#include <string>

#include <boost/filesystem/path.hpp>

// A problem with a file the game reads (or writes): names the file and what is wrong.
class ContentError : public std::runtime_error {
public:
    ContentError(const boost::filesystem::path& file, const std::string& problem);

    const boost::filesystem::path& file() const { return file_; }
    const std::string& problem() const { return problem_; }

private:
    boost::filesystem::path file_;
    std::string problem_;
};

// Runs `load` and turns any library error it raises into a ContentError naming `file`, so
// that the one line the user sees says which file is at fault.
template <class Load>
decltype(auto) LoadingFile(const boost::filesystem::path& file, Load&& load);

// The message of a library error without the file name that some libraries prepend.
std::string DescribeLibraryError(const std::exception& e);

template <class Load>
decltype(auto) LoadingFile(const boost::filesystem::path& file, Load&& load) {
    try {
        return load();
    } catch (const ContentError&) {
        throw;
    } catch (const std::exception& e) {
        throw ContentError(file, DescribeLibraryError(e));
    }
}

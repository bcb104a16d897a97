#include "core/ErrorReport.hpp"

#include <cstdio>

#include <boost/filesystem/exception.hpp>

namespace {

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

}  // namespace

std::string DescribeFatalError(const std::exception& error) {
    if (auto* fs = dynamic_cast<const boost::filesystem::filesystem_error*>(&error)) {
        return OneLine(fs->path1().string() + ": " + fs->code().message());
    }
    return OneLine(error.what());
}

void ReportToLog(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

#include "core/ContentError.hpp"

#include <boost/filesystem/exception.hpp>
#include <boost/property_tree/exceptions.hpp>
#include <boost/property_tree/detail/file_parser_error.hpp>

ContentError::ContentError(const boost::filesystem::path& file, const std::string& problem)
    : std::runtime_error(file.string() + ": " + problem), file_(file), problem_(problem) {}

std::string DescribeLibraryError(const std::exception& e) {
    if (auto* parse = dynamic_cast<const boost::property_tree::file_parser_error*>(&e)) {
        std::string text = parse->message();
        if (parse->line() > 0) text = "line " + std::to_string(parse->line()) + ": " + text;
        return text;
    }
    if (auto* fs = dynamic_cast<const boost::filesystem::filesystem_error*>(&e)) {
        return fs->code().message();
    }
    return e.what();
}

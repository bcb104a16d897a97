#include "core/JsonFile.hpp"

#include <sstream>

#include <boost/property_tree/json_parser.hpp>

#include "core/ContentError.hpp"
#include "core/ContentText.hpp"

boost::property_tree::ptree ReadJsonFile(const boost::filesystem::path& file) {
    std::istringstream text(ReadContentText(file, JsonNestingDepth));
    boost::property_tree::ptree tree;
    LoadingFile(file, [&] { boost::property_tree::read_json(text, tree); });
    return tree;
}

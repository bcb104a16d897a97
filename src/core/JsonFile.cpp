#include "core/JsonFile.hpp"

#include <boost/property_tree/json_parser.hpp>

#include "core/ContentError.hpp"

boost::property_tree::ptree ReadJsonFile(const boost::filesystem::path& file) {
    boost::property_tree::ptree tree;
    LoadingFile(file, [&] { boost::property_tree::read_json(file.string(), tree); });
    return tree;
}

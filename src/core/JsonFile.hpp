#pragma once

#include <boost/filesystem/path.hpp>
#include <boost/property_tree/ptree.hpp>

// The whole JSON file as a property tree. A file that cannot be read, is not JSON or nests
// deeper than maxNestingDepth is a ContentError naming it.
boost::property_tree::ptree ReadJsonFile(const boost::filesystem::path& file);

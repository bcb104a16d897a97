#pragma once

#include <optional>
#include <string>

#include <boost/filesystem/path.hpp>

#include "core/ContentFolder.hpp"

// The folder this build installs its Content folder into (<prefix>/share/glimmerduct).
boost::filesystem::path InstalledDataFolder();

// The candidates of this process: the current folder, /proc/self/exe's folder and the data
// folder this build installs to, with `dataDirOption` as given on the command line.
ContentSearch ThisProcessSearch(const std::optional<std::string>& dataDirOption);

#pragma once

#include <functional>
#include <optional>

#include <boost/filesystem/path.hpp>
#include <boost/property_tree/ptree.hpp>

// The JSON files the game keeps for the user (records, settings): read at start, written
// through the durable writer, and never overwritten when they could not be read.

struct OwnJsonFile {
    std::optional<boost::property_tree::ptree> tree;  // none: no file, or a damaged one
    // False when a damaged file could not be moved aside: it must then not be written over.
    bool mayWrite = true;
};

// The file's tree; none when there is no file. A file that cannot be read, is not JSON, nests
// too deep or that `check` rejects (by throwing std::exception, whose text says why) is moved
// aside to "<file>.damaged", with one line on stderr naming both files; then none too, and the
// next write starts afresh.
OwnJsonFile ReadOwnJsonFile(
    const boost::filesystem::path& file, const std::function<void(const boost::property_tree::ptree&)>& check = {});

// Writes `tree` as pretty-printed JSON to `file` through the durable writer, creating its
// folder first. Throws DurableWriteError (the old file stays whole).
void WriteOwnJsonFile(const boost::filesystem::path& file, const boost::property_tree::ptree& tree);

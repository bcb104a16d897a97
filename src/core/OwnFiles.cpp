#include "core/OwnFiles.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <sstream>

#include "core/ContentError.hpp"
#include "core/DurableFile.hpp"
#include "core/ErrorReport.hpp"
#include "core/JsonFile.hpp"

namespace fs = boost::filesystem;
namespace pt = boost::property_tree;

OwnJsonFile ReadOwnJsonFile(const fs::path& file, const std::function<void(const pt::ptree&)>& check) {
    boost::system::error_code error;
    if (!fs::exists(fs::symlink_status(file, error))) return {};
    std::string why;
    try {
        pt::ptree tree = ReadJsonFile(file);
        if (check) check(tree);
        return {std::move(tree), true};
    } catch (const ContentError& e) {
        why = e.what();
    } catch (const std::exception& e) {
        why = file.string() + ": " + e.what();
    }
    const fs::path aside = file.string() + ".damaged";
    fs::rename(file, aside, error);
    ReportToLog(why + (error ? "; it cannot be moved aside (" + error.message() + "), so it is kept and not written"
                             : "; moved aside to " + aside.string()));
    return {std::nullopt, bool(!error)};
}

void WriteOwnJsonFile(const fs::path& file, const pt::ptree& tree) {
    boost::system::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error) throw DurableWriteError("cannot create the folder " + file.parent_path().string() + ": " + error.message());
    std::ostringstream text;
    pt::write_json(text, tree, true);
    WriteFileDurably(file, text.str());
}

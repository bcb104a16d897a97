#include <algorithm>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <sstream>
#include <string>

#include "core/ContentText.hpp"

namespace pt = boost::property_tree;

namespace {

// Levels of children in a tree the readers made; XML attributes, comments and mixed text are
// children too, but nest nothing.
int TreeDepth(const pt::ptree& tree) {
    int deepest = 0;
    for (const auto& [name, child] : tree) {
        if (name == "<xmlattr>" || name == "<xmlcomment>" || name == "<xmltext>") continue;
        deepest = std::max(deepest, 1 + TreeDepth(child));
    }
    return deepest;
}

template <class Read>
void CheckAgainstReader(const std::string& text, int counted, Read&& read) {
    if (counted > maxNestingDepth) return;  // the loaders refuse it unread
    std::istringstream in(text);
    pt::ptree tree;
    try {
        read(in, tree);
    } catch (const pt::ptree_error&) {
        return;
    }
    if (TreeDepth(tree) > counted) __builtin_trap();  // the scan missed a level the reader made
}

}  // namespace

// The nesting scans that guard the JSON and XML readers, against the readers themselves: a
// text the scan lets through must never nest deeper in the tree than the scan counted.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckAgainstReader(text, JsonNestingDepth(text),
                       [](std::istream& in, pt::ptree& tree) { pt::read_json(in, tree); });
    CheckAgainstReader(text, XmlNestingDepth(text),
                       [](std::istream& in, pt::ptree& tree) { pt::read_xml(in, tree); });
    return 0;
}

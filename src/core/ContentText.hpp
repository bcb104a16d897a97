#pragma once

#include <string>
#include <string_view>

#include <boost/filesystem/path.hpp>

// The JSON and XML readers recurse once per level of nesting, and about 100,000 levels
// overflow the stack. Real content nests a few levels (a level 1, a cue file or a font 3);
// 256 keeps any hand-written or generated file far inside and the readers far from the
// stack's end.
constexpr int maxNestingDepth = 256;

// The deepest nesting of arrays and objects in JSON text; brackets inside strings do not count.
int JsonNestingDepth(std::string_view text);

// The deepest nesting of elements in XML text, read by the XML reader's own rules: comments,
// CDATA sections, processing instructions, declarations (a DOCTYPE's bracketed part too) and
// quoted attribute values hold no elements.
int XmlNestingDepth(std::string_view text);

// The whole text of a content file that is nested no deeper than maxNestingDepth by `depth`
// (JsonNestingDepth or XmlNestingDepth). A file that cannot be read or nests deeper is a
// ContentError naming it.
std::string ReadContentText(const boost::filesystem::path& file, int (*depth)(std::string_view));

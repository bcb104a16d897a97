#include "core/ContentText.hpp"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "core/ContentError.hpp"

namespace {

constexpr size_t npos = std::string_view::npos;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
// Name characters as the XML reader takes them: far more than XML allows, quotes included.
bool IsNameChar(char c) { return c != '\0' && !IsSpace(c) && c != '/' && c != '>' && c != '?'; }
bool IsAttributeNameChar(char c) { return IsNameChar(c) && c != '!' && c != '<' && c != '='; }

// Just past the first `end` at or after `from`; the end of the text when there is none.
size_t After(std::string_view text, size_t from, std::string_view end) {
    const size_t at = text.find(end, from);
    return at == npos ? text.size() : at + end.size();
}

// Just past the '>' that ends a DOCTYPE whose body starts at `from`; a '>' inside its
// bracketed part does not end it.
size_t AfterDoctype(std::string_view text, size_t from) {
    int brackets = 0;
    for (size_t i = from; i < text.size(); ++i) {
        if (text[i] == '[') {
            ++brackets;
        } else if (text[i] == ']' && brackets > 0) {
            --brackets;
        } else if (text[i] == '>' && brackets == 0) {
            return i + 1;
        }
    }
    return text.size();
}

struct StartTag {
    size_t end = npos;   // just past its '>' or "/>"; npos where the reader rejects the tag
    bool empty = false;  // "/>": holds nothing
};

// The start tag at `at`: a name, then attributes whose values are quoted after '='. A quote
// anywhere else is a name character.
StartTag ReadStartTag(std::string_view text, size_t at) {
    const auto c = [&](size_t i) { return i < text.size() ? text[i] : '\0'; };
    size_t i = at + 1;
    if (!IsNameChar(c(i))) return {};
    while (IsNameChar(c(i))) ++i;
    while (IsSpace(c(i))) ++i;
    while (IsAttributeNameChar(c(i))) {
        while (IsAttributeNameChar(c(i))) ++i;
        while (IsSpace(c(i))) ++i;
        if (c(i) != '=') return {};
        ++i;
        while (IsSpace(c(i))) ++i;
        const char quote = c(i);
        if (quote != '"' && quote != '\'') return {};
        i = text.find(quote, i + 1);
        if (i == npos) return {};
        ++i;
        while (IsSpace(c(i))) ++i;
    }
    if (c(i) == '>') return {i + 1, false};
    if (c(i) == '/' && c(i + 1) == '>') return {i + 2, true};
    return {};
}

}  // namespace

int JsonNestingDepth(std::string_view text) {
    int depth = 0, deepest = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') {
                ++i;  // an escaped character never ends the string
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            depth = std::max(depth - 1, 0);
        }
    }
    return deepest;
}

int XmlNestingDepth(std::string_view text) {
    int depth = 0, deepest = 0;
    for (size_t i = text.find('<'); i != npos; i = text.find('<', i)) {
        const std::string_view tag = text.substr(i);
        if (tag.starts_with("</")) {
            i = After(text, i, ">");
            depth = std::max(depth - 1, 0);
        } else if (tag.starts_with("<?")) {
            i = After(text, i + 2, "?>");
        } else if (tag.starts_with("<!--")) {
            i = After(text, i + 4, "-->");
        } else if (tag.starts_with("<![CDATA[")) {
            i = After(text, i + 9, "]]>");
        } else if (tag.starts_with("<!DOCTYPE") && tag.size() > 9 && IsSpace(tag[9])) {
            i = AfterDoctype(text, i + 10);
        } else if (tag.starts_with("<!")) {
            i = After(text, i + 2, ">");
        } else if (const StartTag start = ReadStartTag(text, i); start.end != npos) {
            deepest = std::max(deepest, depth + 1);  // an empty element is a level too
            if (!start.empty) ++depth;
            i = start.end;
        } else {
            ++i;  // the reader stops here with an error; scanning on can only add
        }
    }
    return deepest;
}

std::string ReadContentText(const boost::filesystem::path& file, int (*depth)(std::string_view)) {
    std::ifstream in(file.string(), std::ios::binary);
    if (!in) throw ContentError(file, "cannot open file");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw ContentError(file, "cannot read file");
    std::string whole = std::move(text).str();
    if (depth(whole) > maxNestingDepth) {
        throw ContentError(file,
                           "nested too deep (more than " + std::to_string(maxNestingDepth) + " levels)");
    }
    return whole;
}

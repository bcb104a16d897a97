#include "gameplay/LevelData.hpp"

#include <boost/property_tree/ptree.hpp>
#include <charconv>
#include <stdexcept>

#include "gameplay/TileKind.hpp"

namespace {

// A decimal whole number like a stream read gives it: leading white space skipped, an
// optional sign, and reading stops at the first character that cannot continue the number.
// Unlike a stream read into a default, a piece with no digits is an error, not a 0.
int32_t ReadPiece(const std::string& text, size_t begin, size_t end, size_t position) {
    const std::string piece = text.substr(begin, end - begin);
    while (begin < end && (text[begin] == ' ' || (text[begin] >= '\t' && text[begin] <= '\r'))) ++begin;
    const bool plus = begin < end && text[begin] == '+';
    if (plus) ++begin;
    int32_t value = 0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    const std::errc error = std::from_chars(first, last, value).ec;
    const bool signTwice = plus && first < last && *first == '-';
    if (error != std::errc() || signTwice) {
        const std::string why =
            error == std::errc::result_out_of_range ? "is out of range" : "holds no number";
        throw std::runtime_error("tile " + std::to_string(position) + " of \"Tiles\" (\"" + piece + "\") " +
                                 why);
    }
    return value;
}

}  // namespace

void LevelData::ReadFrom(const boost::property_tree::ptree& tree) {
    const std::string text = tree.get<std::string>("Tiles");
    if (text.empty()) return;
    size_t begin = 0;
    for (size_t slot = 0; slot < tiles.size(); ++slot) {
        size_t end = text.find(',', begin);
        if (end == std::string::npos) end = text.size();
        tiles[slot] = ReadPiece(text, begin, end, slot + 1);
        if (end == text.size()) break;
        begin = end + 1;
    }
}

void LevelData::WriteTo(boost::property_tree::ptree& tree) const {
    std::string text;
    for (size_t slot = 0; slot < tiles.size(); ++slot) {
        if (slot > 0) text += ',';
        text += std::to_string(tiles[slot]);
    }
    tree.put("Tiles", text);
}

std::optional<GridCell> StartCell(const LevelCodes& codes) {
    for (int32_t slot = TileCount - 1; slot >= 0; --slot) {
        if (codes[size_t(slot)] == int32_t(TileKind::PlayerStart)) return GridCell{slot % GridColumns, slot / GridColumns};
    }
    return std::nullopt;
}

GridCell PlayerCell(const LevelCodes& codes) { return StartCell(codes).value_or(GridCell{2, 1}); }

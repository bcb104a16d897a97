#include "support/MazeView.hpp"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

namespace {

constexpr int cellSize = 64;
constexpr int originX = -48;
constexpr int screenWidth = 800;
constexpr int gridBottom = 576;

}  // namespace

MazeView::MazeView(const std::string& texturesFolder) {
    for (const char* name : {"GutBackground", "GutHorizontal", "GutVertical", "GutTopLeft", "GutTopRight",
                             "GutBottomLeft", "GutBottomRight"}) {
        pictures_.push_back(ScreenPicture::FromFile(texturesFolder + "/" + name + ".png"));
    }
}

const ScreenPicture& MazeView::TilePicture(int code) const {
    return pictures_[code >= 1 && code <= 6 ? size_t(code) : 0];
}

double MazeView::Match(const ScreenPicture& screen, int column, int row, int code, Color background) const {
    const ScreenPicture& picture = TilePicture(code);
    const int left = originX + column * cellSize, top = row * cellSize;
    int seen = 0, alike = 0;
    for (int y = 0; y < cellSize; ++y) {
        for (int x = 0; x < cellSize; ++x) {
            const int sx = left + x, sy = top + y;
            if (sx < 0 || sx >= std::min(screenWidth, screen.width()) || sy >= std::min(gridBottom, screen.height()))
                continue;
            ++seen;
            if (CloseTo(screen.At(sx, sy), BlendOver(picture.At(x, y), background))) ++alike;
        }
    }
    return seen == 0 ? 0.0 : double(alike) / seen;
}

std::vector<std::pair<int, int>> MazeView::CellsCovered(const ScreenPicture& screen, const std::vector<int>& codes,
                                                        Color background) const {
    std::vector<std::pair<int, int>> covered;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (!Shows(screen, column, row, codes.at(size_t(row * columns + column)), background))
                covered.emplace_back(column, row);
        }
    }
    return covered;
}

std::vector<int> ReadLevelCodes(const std::string& file) {
    boost::property_tree::ptree tree;
    boost::property_tree::read_json(file, tree);
    std::stringstream text(tree.get<std::string>("Tiles"));
    std::vector<int> codes;
    for (std::string item; std::getline(text, item, ',');) codes.push_back(std::stoi(item));
    if (codes.size() != size_t(MazeView::columns * MazeView::rows)) {
        throw std::runtime_error(file + " holds " + std::to_string(codes.size()) + " codes");
    }
    return codes;
}

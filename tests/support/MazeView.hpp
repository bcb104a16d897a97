#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/Color.hpp"
#include "support/ScreenPicture.hpp"

// What the screen should show of a maze, worked out from the level's codes and the shipped
// tile pictures, to compare with what a real window shows.
class MazeView {
public:
    static constexpr int columns = 14;
    static constexpr int rows = 9;
    static constexpr Color playingBackground{152, 66, 86, 255};
    static constexpr Color editingBackground{255, 0, 0, 255};

    // Loads the tile pictures from `texturesFolder` (the bank folder holding GutBackground.png ...).
    explicit MazeView(const std::string& texturesFolder);

    // The picture a grid cell of `code` shows.
    const ScreenPicture& TilePicture(int code) const;
    // The part of the cell's on-screen pixels that look like `code`'s picture over `background`.
    double Match(const ScreenPicture& screen, int column, int row, int code, Color background) const;
    bool Shows(const ScreenPicture& screen, int column, int row, int code, Color background) const {
        return Match(screen, column, row, code, background) >= 0.97;
    }
    // The cells that do not show their code of `codes` (row by row): where something is drawn on
    // top, such as the player.
    std::vector<std::pair<int, int>> CellsCovered(const ScreenPicture& screen, const std::vector<int>& codes,
                                                  Color background) const;

    // Screen pixel of a cell's centre.
    static int CentreX(int column) { return -16 + 64 * column; }
    static int CentreY(int row) { return 32 + 64 * row; }

private:
    std::vector<ScreenPicture> pictures_;  // GutBackground, then the walls of codes 1 to 6
};

// The 126 codes of a level file's "Tiles" member; throws when the file does not hold them.
std::vector<int> ReadLevelCodes(const std::string& file);

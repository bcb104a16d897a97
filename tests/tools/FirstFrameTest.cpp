// The first frame of the game with the shipped content, drawn by the real scene passes on a
// software renderer and compared with the committed pictures.
#include <SDL.h>
#include <SDL_image.h>

#include <gtest/gtest.h>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/Game.hpp"
#include "support/GameplayWorld.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TempContent.hpp"

namespace {

constexpr Color clearColour{152, 66, 86, 255};
constexpr Color titleColour{255, 222, 230, 255};
constexpr int cellSize = 64;
constexpr int columns = 14, rows = 9;
constexpr int stripTop = rows * cellSize;  // 576: below the last row of cells
constexpr int blendTolerance = 3;

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

// A committed picture, read independently of the game's loaders.
class Picture {
public:
    explicit Picture(const std::string& name) {
        const std::string file = std::string(GAME_SOURCE_DIR) + "/Content/Textures/Main/" + name + ".png";
        std::unique_ptr<SDL_Surface, SurfaceDeleter> loaded(IMG_Load(file.c_str()));
        if (loaded) surface_.reset(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
        if (!surface_) throw std::runtime_error("cannot read " + file + ": " + IMG_GetError());
    }
    int width() const { return surface_->w; }
    int height() const { return surface_->h; }
    Color Texel(int x, int y) const {
        const auto* p = static_cast<const uint8_t*>(surface_->pixels) + y * surface_->pitch + 4 * x;
        return Color{p[0], p[1], p[2], p[3]};
    }

private:
    std::unique_ptr<SDL_Surface, SurfaceDeleter> surface_;
};

// `over` drawn with its alpha on top of the opaque `under`.
Color Blend(Color over, Color under) {
    auto mix = [&](uint8_t o, uint8_t u) {
        return uint8_t(std::lround((o * over.a + u * (255 - over.a)) / 255.0));
    };
    return Color{mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b), 255};
}

std::string Describe(Color c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

bool Near(Color a, Color b, int tolerance = blendTolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

const char* TilePicture(int code) {
    switch (code) {
        case 1: return "GutHorizontal";
        case 2: return "GutVertical";
        case 3: return "GutTopLeft";
        case 4: return "GutTopRight";
        case 5: return "GutBottomLeft";
        case 6: return "GutBottomRight";
        default: return "GutBackground";
    }
}

std::vector<int> MazeCodes() {
    boost::property_tree::ptree level;
    boost::property_tree::read_json(std::string(GAME_SOURCE_DIR) + "/Content/Levels/Maze.json", level);
    std::vector<int> codes;
    std::stringstream list(level.get<std::string>("Tiles"));
    for (std::string piece; std::getline(list, piece, ',');) codes.push_back(std::stoi(piece));
    return codes;
}

// Top-left screen pixel of cell (c, r): the tile is 64 x 64 centred on (-16 + 64c, 32 + 64r).
int CellLeft(int column) { return -16 + cellSize * column - cellSize / 2; }
int CellTop(int row) { return 32 + cellSize * row - cellSize / 2; }

class FirstFrame : public ::testing::Test {
protected:
    void SetUp() override {
        content.CopyFromSource("Content", "Content");
        auto owned = std::make_unique<SoftwarePlatform>(true);
        platform = owned.get();
        game = std::make_unique<Game>(std::move(owned));
        game->StartUp();
        platform->quitAfterFrames = 1;
        game->RunLoop();
        ASSERT_EQ(platform->renders, 1);
    }
    void TearDown() override {
        if (game) game->ShutDown();
        game.reset();
    }

    const Picture& Pic(const std::string& name) {
        auto found = pictures.find(name);
        if (found == pictures.end()) found = pictures.emplace(name, Picture(name)).first;
        return found->second;
    }

    ScopedEnv quiet{"SDL_AUDIODRIVER", "dummy"};  // no sound from a run in a terminal
    TempContent content;
    SoftwarePlatform* platform = nullptr;
    std::unique_ptr<Game> game;
    std::map<std::string, Picture> pictures;
};

TEST_F(FirstFrame, EveryCellShowsItsTilePictureOverTheClearColour) {
    const std::vector<int> codes = MazeCodes();
    ASSERT_EQ(codes.size(), size_t(columns * rows));
    const auto start = std::find(codes.begin(), codes.end(), 7);
    ASSERT_NE(start, codes.end());
    const int startSlot = int(start - codes.begin());

    // Texels spread over the picture, so that each wall shape shows where its duct runs.
    const int samples[][2] = {{32, 32}, {8, 8}, {56, 8}, {8, 56}, {56, 56}, {32, 4}, {4, 32}, {60, 32}, {32, 60}};
    int checked = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (r * columns + c == startSlot) continue;  // the player stands there
            const Picture& picture = Pic(TilePicture(codes[size_t(r * columns + c)]));
            for (const auto& [tx, ty] : samples) {
                const int x = CellLeft(c) + tx, y = CellTop(r) + ty;
                if (x < 0 || x >= 800) continue;  // columns 0 and 13 show only a quarter
                const Color expected = Blend(picture.Texel(tx, ty), clearColour);
                const Color actual = platform->Pixel(x, y);
                EXPECT_TRUE(Near(expected, actual))
                    << "cell (" << c << ", " << r << ") " << TilePicture(codes[size_t(r * columns + c)]) << " at ("
                    << x << ", " << y << "): expected " << Describe(expected) << ", drawn " << Describe(actual);
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 900);
    // The samples tell the seven pictures apart, or a grid of one picture everywhere could pass.
    std::vector<std::vector<Color>> looks;
    for (int code = 0; code <= 6; ++code) {
        std::vector<Color> look;
        for (const auto& [tx, ty] : samples) look.push_back(Blend(Pic(TilePicture(code)).Texel(tx, ty), clearColour));
        looks.push_back(look);
    }
    for (size_t i = 0; i < looks.size(); ++i) {
        for (size_t j = i + 1; j < looks.size(); ++j) EXPECT_NE(looks[i], looks[j]) << i << " " << j;
    }
}

TEST_F(FirstFrame, PlayerStandsOnItsStartCellInFrontOfTheFloor) {
    const std::vector<int> codes = MazeCodes();
    const int startSlot = int(std::find(codes.begin(), codes.end(), 7) - codes.begin());
    const int c = startSlot % columns, r = startSlot / columns;
    const Picture& pose = Pic("TorvelPose");
    const Picture& floor = Pic("GutBackground");
    ASSERT_EQ(pose.width(), 64);
    ASSERT_EQ(pose.height(), 64);

    int opaque = 0, clear = 0;
    for (int ty = 0; ty < 64; ++ty) {
        for (int tx = 0; tx < 64; ++tx) {
            const Color texel = pose.Texel(tx, ty);
            // Fully opaque texels show the pose alone; fully clear ones the floor beneath.
            if (texel.a != 255 && texel.a != 0) continue;
            if ((tx + ty) % 5 != 0) continue;  // a sample is enough
            const Color under = Blend(floor.Texel(tx, ty), clearColour);
            const Color expected = Blend(texel, under);
            const Color actual = platform->Pixel(CellLeft(c) + tx, CellTop(r) + ty);
            EXPECT_TRUE(Near(expected, actual)) << "pose texel (" << tx << ", " << ty << ") alpha " << int(texel.a)
                                                << ": expected " << Describe(expected) << ", drawn "
                                                << Describe(actual);
            (texel.a == 255 ? opaque : clear) += 1;
        }
    }
    EXPECT_GT(opaque, 20) << "the pose has too few opaque texels to check";
    EXPECT_GT(clear, 20) << "the pose has too few clear texels to check";
    // Where the opaque pose is drawn it differs from the bare floor, so a missing player shows.
    int differs = 0;
    for (int ty = 0; ty < 64; ++ty) {
        for (int tx = 0; tx < 64; ++tx) {
            if (pose.Texel(tx, ty).a == 255 &&
                !Near(Blend(pose.Texel(tx, ty), clearColour), Blend(floor.Texel(tx, ty), clearColour), 10)) {
                ++differs;
            }
        }
    }
    EXPECT_GT(differs, 20);
}

TEST_F(FirstFrame, TitleIsDrawnInItsColourInTheStripBelowTheGrid) {
    // Every strip pixel lies between the clear colour and the title colour: either background or
    // a (partly covered) pixel of a glyph.
    const int spread[3] = {titleColour.r - clearColour.r, titleColour.g - clearColour.g, titleColour.b - clearColour.b};
    int inTitleColour = 0, rightmost = -1, leftmost = 800;
    for (int y = stripTop; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const Color p = platform->Pixel(x, y);
            if (p == clearColour) continue;
            const double t = double(p.g - clearColour.g) / spread[1];
            const Color onLine{uint8_t(std::lround(clearColour.r + t * spread[0])), p.g,
                               uint8_t(std::lround(clearColour.b + t * spread[2])), 255};
            const double slack = double(blendTolerance) / spread[1];  // blending rounds down a little
            ASSERT_TRUE(t > -slack && t <= 1.0 + slack && Near(p, onLine))
                << "(" << x << ", " << y << ") is " << Describe(p) << ", neither background nor title";
            if (Near(p, titleColour)) ++inTitleColour;
            rightmost = std::max(rightmost, x);
            leftmost = std::min(leftmost, x);
        }
    }
    EXPECT_GT(inTitleColour, 100) << "the title is not drawn in its colour";
    // Starts at the pen (a glyph may hang a pixel or two to its left), and 19 characters end well
    // before the right edge.
    EXPECT_NEAR(leftmost, 10, 3);
    EXPECT_GT(rightmost, 150);
    EXPECT_LT(rightmost, 500);
    // The row just above the strip is still the last row of cells, untouched by the text.
    const std::vector<int> codes = MazeCodes();
    for (int x = 0; x < 800; x += 37) {
        const Picture& picture = Pic(TilePicture(codes[size_t(8 * columns + (x + 48) / cellSize)]));
        EXPECT_TRUE(Near(platform->Pixel(x, stripTop - 1), Blend(picture.Texel((x + 48) % cellSize, 63), clearColour)))
            << x;
    }
}

}  // namespace

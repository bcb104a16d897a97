#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/Game.hpp"
#include "gameplay/Grid.hpp"
#include "input/Key.hpp"
#include "platform/SdlHandles.hpp"
#include "support/FakePlatform.hpp"
#include "support/TempContent.hpp"

class BackgroundTile;
class LevelSet;

// The fake platform with a real device: an SDL software renderer drawing into a surface in
// memory, so the banks load the test's pictures through the real code, headless.
class SoftwarePlatform : public FakePlatform {
public:
    void CreateWindowAndDevice() override;
    void ReleaseDevice() override;

private:
    SurfacePtr surface_;
    RendererPtr renderer_;
};

using LevelCodes = std::array<int32_t, TileCount>;

// A level file to write: its name in Content/Levels and its codes.
struct LevelFile {
    std::string fileName;
    LevelCodes codes{};
};

// The codes of a level file; throws when it cannot be read.
LevelCodes ReadLevelCodes(const std::string& file);
// A level file's text, as the game writes it.
std::string LevelJson(const LevelCodes& codes);

// The real Game in a fresh content folder, on a fake clock: key mappings (arrows move; E toggles
// the editor, N and P step the palette, the left mouse button places, the right copies), every
// gameplay picture as a small PNG (64 x 64, "TorvelPose" 32 x 48), a "TorvelTheme" track, a
// "Click" cue that counts its plays, and the given level files.
class GameplayWorld {
public:
    // A level of floor but for the given cells' codes.
    static LevelFile Level(std::initializer_list<std::pair<GridCell, int32_t>> cells,
                           std::string file = "Level.json");

    // With `start`, runs the first frame, in whose update pass the level is applied.
    explicit GameplayWorld(std::vector<LevelFile> levels = {Level({})}, bool start = true);
    ~GameplayWorld();
    GameplayWorld(const GameplayWorld&) = delete;
    GameplayWorld& operator=(const GameplayWorld&) = delete;

    // Runs `count` frames of the real loop at one update each (1/60 s); `script(n)`, n from
    // 1, runs where the platform delivers input, before that frame's passes. Returns once the
    // files the frames asked to be written in the background are written.
    void RunFrames(int count, const std::function<void(int)>& script = {});
    // One frame with `keys` down together, then one with them up again.
    void Press(std::initializer_list<Key> keys);
    // One stroke: the place button held over each cell in turn, a frame each, then let go.
    void Paint(const std::vector<GridCell>& cells);
    // The copy button over `cell` for a frame, then let go.
    void Copy(GridCell cell);
    // Sets the pointer and the two editor buttons, as a mouse poll does.
    static void Mouse(Vector2 position, bool place, bool copy);

    static BackgroundTile& Tile(int32_t column, int32_t row);
    // The gameplay screen's levels.
    static LevelSet& Levels();
    // Puts `code` on `cell` of the shown level, as one step of its history.
    static void SetCode(GridCell cell, int32_t code);
    static LevelCodes Shown();                        // the codes the grid shows
    LevelCodes Saved(const std::string& file) const;  // the codes in Content/Levels/`file`
    static Vector2 PlayerAt();
    static int Clicks();  // plays of "Click" since the last ClearClicks (at most 63)
    static void ClearClicks();

    TempContent content;
    SoftwarePlatform* platform = nullptr;  // owned by the game
    std::unique_ptr<Game> game;
};

#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/Color.hpp"
#include "core/Game.hpp"
#include "core/SdlSpriteBatch.hpp"
#include "core/Vector2.hpp"
#include "gameplay/Grid.hpp"
#include "input/Key.hpp"
#include "support/FakePlatform.hpp"
#include "support/TempContent.hpp"

class BackgroundTile;
class PlayerBehavior;

// The fake platform with a real device: an SDL software renderer drawing into a surface in
// memory, so the texture bank loads the test's PNG files through the real code, headless.
// With `drawsScene`, each frame is also drawn there as the real platform draws it (cleared to
// the clear colour, then the scene tree) and can be read back.
class SoftwarePlatform : public FakePlatform {
public:
    explicit SoftwarePlatform(bool drawsScene = false) : drawsScene_(drawsScene) {}
    ~SoftwarePlatform() override;
    void CreateWindowAndDevice() override;
    void RenderFrame() override;
    void ReleaseDevice() override;

    // The pixel at (x, y) of the frame last drawn.
    Color Pixel(int x, int y) const;

private:
    struct SurfaceDeleter {
        void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
    };
    struct RendererDeleter {
        void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
    };
    std::unique_ptr<SDL_Surface, SurfaceDeleter> surface_;
    std::unique_ptr<SDL_Renderer, RendererDeleter> renderer_;
    std::unique_ptr<SdlSpriteBatch> batch_;
    bool drawsScene_;
};

using LevelCodes = std::array<int32_t, TileCount>;

// A level file to write: its name in Content/Levels and its codes.
struct LevelFile {
    std::string fileName;
    LevelCodes codes{};
};

// A game in a fresh content folder: key mappings (arrows move; E toggles the editor, N and P
// step the palette, the left mouse button places, the right copies), every gameplay
// picture as a small PNG (64 x 64, "TorvelPose" 32 x 48), and the given level files. The
// real Game starts up (which builds the gameplay screen) and runs on a fake clock.
class GameplayWorld {
public:
    static constexpr Key placeButton = Key::LeftMouse;
    static constexpr Key copyButton = Key::RightMouse;

    // With `start`, runs the first frame, in whose update pass the level is applied.
    explicit GameplayWorld(std::vector<LevelFile> levels = {{"Level.json", LevelCodes{}}}, bool start = true);
    ~GameplayWorld();
    GameplayWorld(const GameplayWorld&) = delete;
    GameplayWorld& operator=(const GameplayWorld&) = delete;

    // Runs `count` frames of the real loop at one update each (1/60 s); `script(n)`, n from
    // 1, runs where the platform delivers input, before that frame's passes.
    void RunFrames(int count, const std::function<void(int)>& script = {});
    // One frame with `key` down, then one with it up again.
    void Tap(Key key);
    // Sets the pointer and the two editor buttons, as a mouse poll does.
    static void Mouse(Vector2 position, bool place, bool copy);

    static BackgroundTile& Tile(int32_t column, int32_t row);
    static PlayerBehavior& PlayerMotion();

    TempContent content;
    SoftwarePlatform* platform = nullptr;  // owned by the game
    std::unique_ptr<Game> game;
};

#pragma once

#include <cstdint>
#include <memory>

#include "core/GameHost.hpp"
#include "core/Platform.hpp"
#include "game/FramePresenter.hpp"

class GameObject;
class RandomManager;
struct GameSettings;
class TextureManager;
class FontManager;
struct GameTime;
struct ActionNames;
class InputManager;
class SoundManager;
class MusicManager;
class CoroutineManager;

// The one game: creates the single instances of the registry, runs start-up, the fixed-step
// frame loop and shut-down, and destroys everything again.
class Game : public GameHost {
public:
    explicit Game(std::unique_ptr<Platform> platform);
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Start-up, frame loop, shut-down; returns once the window has been closed.
    void Run();

    // The three parts of Run, separately callable so that a test can build its own tree and
    // drive the real loop with a platform of its own.
    void StartUp();
    void RunLoop();
    void ShutDown();

    // The per-frame passes over a tree, in pre-order.
    static void InputPass(GameObject& object);
    static void UpdatePass(GameObject& object);

    Platform& platform() override { return *platform_; }
    bool ConfirmClose() override;
    void SetCloseGuard(CloseGuard* guard) override { closeGuard_ = guard; }
    void RequestQuit() override { quitRequested_ = true; }

    CoroutineManager* coroutineManager = nullptr;

private:
    std::unique_ptr<Platform> platform_;
    FramePresenter presenter_;
    CloseGuard* closeGuard_ = nullptr;
    bool quitRequested_ = false;
    // Owned here, published in Services; destroyed in the order the destructor gives.
    std::unique_ptr<GameObject> root_;
    std::unique_ptr<RandomManager> random_;
    std::unique_ptr<GameSettings> settings_;
    std::unique_ptr<TextureManager> textures_;
    std::unique_ptr<FontManager> fonts_;
    std::unique_ptr<GameTime> time_;
    std::unique_ptr<ActionNames> actionNames_;
    std::unique_ptr<InputManager> input_;
    std::unique_ptr<SoundManager> sound_;
    std::unique_ptr<MusicManager> music_;
    std::unique_ptr<CoroutineManager> coroutineManager_;
};

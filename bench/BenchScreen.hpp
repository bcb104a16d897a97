#pragma once

#include <memory>

#include "core/Services.hpp"
#include "game/Game.hpp"
#include "gameplay/GameplayScreen.hpp"
#include "gameplay/GameplayScreenBehavior.hpp"
#include "graphics/Texture.hpp"
#include "graphics/TextureManager.hpp"
#include "scene/GameObject.hpp"

// No window, no device: only the passes that a benchmark calls run.
class NoWindow : public Platform {
public:
    void CreateWindowAndDevice() override {}
    bool PumpMessages() override { return false; }
    void RenderFrame(const FrameDraws&) override {}
    int64_t NowTicks() override { return 0; }
    int64_t CounterFrequency() override { return 1; }
    void SleepTicks(int64_t) override {}
    void ReleaseDevice() override {}
};

// The game with its gameplay screen over pictures without device textures; the screen's
// behaviour is not started.
class BenchScreen {
public:
    BenchScreen() : game_(std::make_unique<NoWindow>()) {
        auto bank = std::make_unique<TextureBank>();
        for (const char* name : {"GutBackground", "GutHorizontal", "GutVertical", "GutTopLeft", "GutTopRight",
                                 "GutBottomLeft", "GutBottomRight", "TorvelPose", "TorvelWoosh1",
                                 "TorvelWoosh1a", "TorvelWoosh2", "TorvelWoosh2a"})
            bank->textures[name] = std::make_unique<Texture>(nullptr, 64.0f, 64.0f);
        Services::textures->banks["Main"] = std::move(bank);
        GameObject* screen = Services::root->AddChild(new GameplayScreen());
        behavior = dynamic_cast<GameplayScreenBehavior*>(screen->behaviors.at(0));
    }

    GameplayScreenBehavior* behavior = nullptr;

private:
    Game game_;
};

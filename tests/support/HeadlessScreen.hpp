#pragma once

#include <memory>
#include <string>

#include "core/Color.hpp"
#include "core/GameSettings.hpp"
#include "core/Platform.hpp"
#include "input/InputManager.hpp"
#include "scene/GameObject.hpp"

// The real SDL platform on SDL's dummy video driver (a software renderer without a display),
// with its own settings, input state and scene root published in Services while it lives.
class HeadlessScreen {
public:
    explicit HeadlessScreen(const char* videoDriver = "dummy");
    ~HeadlessScreen();
    HeadlessScreen(const HeadlessScreen&) = delete;
    HeadlessScreen& operator=(const HeadlessScreen&) = delete;

    Platform& platform() { return *platform_; }
    // The back-buffer pixel at (x, y) of the frame last drawn.
    Color Pixel(int x, int y) const;

    GameSettings settings;
    InputManager input;
    GameObject root;

private:
    std::unique_ptr<Platform> platform_;
};

// Sets an environment variable for as long as the object lives.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool had_;
    std::string previous_;
};

#pragma once

// Game time in seconds; delta is what the current frame's update stands for.
struct GameTime {
    float total = 0.0f;
    float delta = 0.0f;
    virtual ~GameTime() = default;
};

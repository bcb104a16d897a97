#pragma once

#include "core/Color.hpp"
#include "core/FrameDraws.hpp"

class GameObject;
class Platform;

// Presents a frame only when it would show something new: another clear colour or other draws
// in either layer than the frame last presented, or a window whose picture the window system
// lost or rescaled. Whether the picture changed is told from the draws themselves, so no caller
// can forget to say so. While the window is minimised or hidden nothing is drawn at all.
class FramePresenter {
public:
    void Frame(Platform& platform, GameObject& root, Color clearColor);

private:
    FrameDraws next_, shown_;
    bool presented_ = false;  // shown_ is what the window shows
};

#pragma once

#include "scene/GameObject.hpp"

// Something drawn over the maze that takes the keys while it is open: a question, a card, a
// list. The player does not walk and the editor does not paint while one is open; the frame
// loop runs on, so the music plays and the recovery copies are kept. Built once with the
// screen and hidden while closed.
class Overlay : public GameObject {
public:
    bool IsOpen() const { return open_; }
    // One frame of input while it is open and on top: the gameplay screen's behaviour calls it
    // in its input pass, before anything else reads the keys.
    virtual void HandleInput() = 0;

protected:
    bool open_ = false;
};

#pragma once

#include <memory>
#include <string>

#include "support/ScreenPicture.hpp"

// A plain X client of the test's own on a given display, for what xdotool cannot do right:
// reading the screen quickly and asking a window to close the way a window manager does.
class XDisplayClient {
public:
    explicit XDisplayClient(const std::string& display);  // throws when it cannot connect
    ~XDisplayClient();
    XDisplayClient(const XDisplayClient&) = delete;
    XDisplayClient& operator=(const XDisplayClient&) = delete;

    // The screen's pixels in the rectangle (root-window coordinates); parts off the screen
    // stay black.
    ScreenPicture Capture(int x, int y, int width, int height);

    // What a close box does: the WM_PROTOCOLS client message with WM_DELETE_WINDOW, sent to
    // the client that owns `window`. (Destroying the window instead would kill the client with
    // an X error.)
    void RequestClose(unsigned long window);

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

#pragma once

#include <optional>
#include <string>

// Whether the game can open a window. Without an explicitly chosen SDL video driver it needs
// an X11 or Wayland display: SDL would otherwise fall back to an off-screen driver and the game
// would run where nobody sees it. Gives the one line for the user when it cannot; each
// argument is the environment variable's value, null when unset.
std::optional<std::string> DesktopSessionProblem(const char* videoDriver, const char* display,
                                                 const char* waylandDisplay);

// Reads the environment; throws std::runtime_error with the line above when there is no
// desktop session. With one, SDL is held to the desktop video drivers unless a driver was
// chosen explicitly.
void RequireDesktopSession();

// True when DISPLAY or WAYLAND_DISPLAY names a display.
bool DisplayNamed();

#pragma once

// Without an explicitly chosen SDL video driver the game needs an X11 or Wayland display: SDL
// would otherwise fall back to an off-screen driver and the game would run where nobody sees
// it. Throws std::runtime_error with one line for the user when there is none; with one, holds
// SDL to the desktop video drivers.
void RequireDesktopSession();

// True when DISPLAY or WAYLAND_DISPLAY names a display.
bool DisplayNamed();

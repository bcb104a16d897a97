#pragma once

#ifdef __EMSCRIPTEN__

// The page around the game in a browser (web/index.html): until the first key or click a line
// over the maze asks for one (the browser keeps the sound off until then); the page's buttons
// download the shown level and upload a level file, which joins the list once it has passed
// the checks every level file gets. Attached under the root before the game starts.
void AttachBrowserPage();

// The game has ended (Quit in its menu): the page says so under the last frame.
void ShowGameEnded();

#endif

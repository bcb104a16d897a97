#pragma once

#include <string>
#include <vector>

// Loads every content file of ContentFolder() as the game would, without a window or sound,
// and gives every problem as the one line the game would report for it, naming the file: the
// key mappings; each picture, font and sound of the banks the game loads (a picture or font
// page that does not load, though the game goes on without it, is a problem here); the
// pictures the game requires; each cue file and the sounds it names; the music's loop points
// and audio; each level file, the user's own included. Empty when all is well.
std::vector<std::string> CheckContent();

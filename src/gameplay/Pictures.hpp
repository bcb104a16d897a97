#pragma once

#include <string>

class Texture;

// The pictures the game cannot start without (RequirePicture's callers).
inline constexpr const char* requiredPictures[] = {"GutBackground", "TorvelPose"};

// A picture whose size an object takes at construction: missing, there is nothing to size
// the object by, so that is a ContentError naming the picture's file in the bank "Main".
Texture& RequirePicture(const std::string& name);

#pragma once

#include <string>
#include <vector>

// What the game asked the sound and music managers to play, in order. Tests read the calls
// through these helpers only, so that they can be answered by the real managers later.
int CueCount(const std::string& name);
std::vector<std::string> CuesPlayed();
std::vector<std::string> TracksPlayed();
void ClearAudioLog();

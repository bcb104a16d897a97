#pragma once

#include <string>
#include <vector>

// Content for the real sound and music managers that lets a test see what the game played:
// the "Click" cue is Sequential over 64 layers of one short sound, so its `nextLayer` counts
// the plays, and the two tracks differ in length, so the playing one can be named.
void WriteAudioProbeContent();

// Plays of the Sequential cue `name` since ClearAudioLog (at most 63).
int CueCount(const std::string& name);
// "Click" once per play since ClearAudioLog.
std::vector<std::string> CuesPlayed();
// The track the music manager plays now, or "" for none.
std::string CurrentTrack();
void ClearAudioLog();

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gameplay/LevelRun.hpp"
#include "gameplay/Par.hpp"
#include "gameplay/Records.hpp"

class LevelSet;

// The way out of a level, as the game plays it: counts the moves and the time of the shown
// level's run, finishes it when a step ends on a way out in play mode (a cue, the card, the
// record), restarts it (Restart) and opens the level list (LevelList). Gives the strip's
// level line its run part: the moves and the time in play, the par in the editor.
class LevelProgress {
public:
    explicit LevelProgress(LevelSet& levels) : levels_(levels) {}

    // After the levels are shown at start: the records are read, and the list can be opened.
    void Start();
    // Each frame before the keys are read: the steps ended since, and a finish.
    void CountSteps();
    // Restart and LevelListPanel in play mode while nothing is open over the maze.
    void HandleKeys();
    // Each frame in the update pass: the run's time.
    void Update();

    // The shown level from its start: the player on it, the moves and the time at zero.
    void Restart();
    // Shows level `index` and starts its run.
    void Play(int32_t index);
    void OpenList();
    // After the last level: the first not solved (with a way out), else the first.
    int32_t NextLevel() const;

    // Brings the run part of the level line up to date; true when it changed. Allocates
    // nothing while it stays the same, so the editor can ask every frame.
    bool RefreshSuffix();
    // The run part of the level line ("   14 moves  0:09.4", "   par 12"), empty when none.
    const std::string& suffix() const { return suffix_; }
    // What the strip should warn of on a save: no start, several starts, a way out out of
    // reach; empty when none.
    std::string SaveWarning() const;

private:
    // A new run when another level is shown than the one run.
    void Follow();
    void Finish();
    // The card's lines for the finished run.
    std::vector<std::string> CardLines(const Par& par, const Records::Outcome* outcome) const;

    LevelSet& levels_;
    Records records_{Records::DefaultFile()};
    LevelRun run_;
    int32_t seenSteps_ = 0;
    std::string suffix_;
    int32_t suffixLevel_ = -1;  // the level the suffix was made for
    char text_[64] = {};        // the suffix as this frame gives it
};

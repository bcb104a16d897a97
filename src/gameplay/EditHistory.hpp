#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "gameplay/Grid.hpp"

// One code that a stroke changed: a grid slot's, or the cursor's.
struct EditChange {
    int32_t slot = 0;  // 0 to 125, or EditHistory::cursorSlot
    int32_t before = 0;
    int32_t after = 0;
};

// The editor's undo history: one step per stroke that changed something. Changes are
// collected into an open stroke and become a step when the stroke ends; undoing moves back
// through the steps, redoing forward, and a new step drops the ones that could be redone.
class EditHistory {
public:
    static constexpr int32_t cursorSlot = TileCount;

    EditHistory();

    // Notes a change in the open stroke. A slot changed twice keeps its first `before`.
    // A slot outside 0 to cursorSlot throws std::out_of_range.
    void Record(int32_t slot, int32_t before, int32_t after);
    // Closes the open stroke. Only the slots whose code differs from before the stroke count;
    // if none does, no step is added and the steps to redo stay.
    void EndStroke();

    // Ends the open stroke, then gives the step to take back (restore each `before`) and
    // moves before it; empty when there is nothing to undo.
    std::span<const EditChange> Undo();
    // The step to apply again (each `after`); empty when there is nothing to redo.
    std::span<const EditChange> Redo();

    size_t UndoCount() const { return done_; }
    size_t RedoCount() const { return steps_.size() - done_; }

private:
    std::vector<std::vector<EditChange>> steps_;
    size_t done_ = 0;  // steps_[0, done_) are applied
    std::vector<EditChange> open_;
    // Where each slot's change sits in open_, or -1: a stroke that paints one cell every
    // frame must not search.
    std::array<int16_t, TileCount + 1> openIndex_;
};

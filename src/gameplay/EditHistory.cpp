#include "gameplay/EditHistory.hpp"

#include <stdexcept>

EditHistory::EditHistory() {
    openIndex_.fill(-1);
    // Every slot at most once, so recording never grows it.
    open_.reserve(openIndex_.size());
}

void EditHistory::Record(int32_t slot, int32_t before, int32_t after) {
    if (slot < 0 || slot > cursorSlot) throw std::out_of_range("edit slot out of range");
    int16_t& index = openIndex_[size_t(slot)];
    if (index >= 0) {
        open_[size_t(index)].after = after;
        return;
    }
    index = int16_t(open_.size());
    open_.push_back({slot, before, after});
}

void EditHistory::EndStroke() {
    if (open_.empty()) return;
    std::vector<EditChange> step;
    for (const EditChange& change : open_) {
        openIndex_[size_t(change.slot)] = -1;
        if (change.before != change.after) step.push_back(change);
    }
    open_.clear();
    if (step.empty()) return;
    steps_.resize(done_);
    steps_.push_back(std::move(step));
    ++done_;
}

std::span<const EditChange> EditHistory::Undo() {
    EndStroke();
    if (done_ == 0) return {};
    return steps_[--done_];
}

std::span<const EditChange> EditHistory::Redo() {
    EndStroke();
    if (done_ == steps_.size()) return {};
    return steps_[done_++];
}

#include "gameplay/EditTools.hpp"

#include <array>

#include "audio/SoundManager.hpp"
#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/EditorMarks.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelSet.hpp"
#include "gameplay/TileKind.hpp"
#include "input/InputManager.hpp"

namespace {

bool Down(Key key) { return Services::input->IsKeyDown(key); }
bool Pressed(Key key) { return Services::input->IsKeyPressed(key); }

// Every cell of `cells` gets `code`, as one step.
void PaintAsOneStep(LevelSet& levels, const CellSet& cells, int32_t code) {
    std::array<CellCode, TileCount> changes{};
    size_t count = 0;
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        if (cells.test(size_t(slot))) changes[count++] = {{slot % GridColumns, slot / GridColumns}, code};
    }
    levels.PaintCells(std::span<const CellCode>(changes.data(), count));
}

// The block's codes with its top-left cell on `at`, as one step; the cells off the grid are left out.
void Drop(LevelSet& levels, const CellBlock& block, GridCell at) {
    std::array<CellCode, TileCount> changes{};
    size_t count = 0;
    for (int32_t row = 0; row < block.rows; ++row) {
        for (int32_t column = 0; column < block.columns; ++column) {
            changes[count++] = {{at.column + column, at.row + row}, block.codes[size_t(row * block.columns + column)]};
        }
    }
    levels.PaintCells(std::span<const CellCode>(changes.data(), count));
}

}  // namespace

bool EditTools::Update() {
    const InputManager& input = *Services::input;
    const GridCell under = PointToCell(input.mousePosition);
    // A selection belongs to the level it was made on.
    if (levels_.Shown() != level_) selection_.reset();
    level_ = levels_.Shown();
    SelectionKeys();
    bool took = false;
    if (drag_ == Drag::None) {
        took = StartWithButtons(under);
    } else {
        took = true;
        const Action button = drag_ == Drag::Rectangle ? Action::EditorPlaceTile : Action::EditorCopyTile;
        if (!input.IsActionDown(button)) FinishDrag(under);
    }
    ShowMarks(under);
    return took;
}

bool EditTools::StartWithButtons(GridCell under) {
    const InputManager& input = *Services::input;
    const bool left = input.IsActionPressed(Action::EditorPlaceTile);
    const bool right = input.IsActionPressed(Action::EditorCopyTile) && !input.IsActionDown(Action::EditorPlaceTile);
    if (!left && !right) return false;
    const bool shift = Down(Key::Shift), ctrl = Down(Key::Ctrl);
    if (left && floating_) {
        Drop(levels_, *copied_, under);
        floating_ = false;
        SoundManager::PlayCue("Click");
        return true;
    }
    if (left) selection_.reset();  // something else is done: the selection's outline goes
    if (!IsInGrid(under) || !(shift || ctrl)) return false;
    if (left && ctrl) {
        PaintAsOneStep(levels_, FillRegion(levels_.Codes(levels_.Shown()), under), gameplayState.cursorTile->kind);
        return true;
    }
    if (!shift) return false;
    drag_ = left ? Drag::Rectangle : Drag::Select;
    anchor_ = under;
    return true;
}

void EditTools::FinishDrag(GridCell under) {
    // A pointer let go off the grid ends the rectangle at the grid's edge.
    const CellSet cells = RectCells(anchor_, under);
    if (drag_ == Drag::Rectangle) {
        PaintAsOneStep(levels_, cells, gameplayState.cursorTile->kind);
    } else {
        selection_ = cells;
    }
    drag_ = Drag::None;
}

void EditTools::SelectionKeys() {
    const bool ctrl = Down(Key::Ctrl);
    if (Pressed(Key::Esc)) {
        floating_ = false;
        selection_.reset();
    }
    if (ctrl && Pressed(Key::V) && copied_) {
        floating_ = true;
        selection_.reset();
    }
    if (!selection_.any()) return;
    const bool copy = ctrl && (Pressed(Key::C) || Pressed(Key::X));
    if (copy) copied_ = CutBlock(levels_.Codes(levels_.Shown()), BoxOf(selection_));
    if ((ctrl && Pressed(Key::X)) || (!ctrl && Pressed(Key::Delete))) FloorSelection();
    if (copy) SoundManager::PlayCue("Click");
}

void EditTools::FloorSelection() {
    PaintAsOneStep(levels_, selection_, int32_t(TileKind::Empty));
    selection_.reset();
}

void EditTools::ShowMarks(GridCell under) const {
    EditorMarks& marks = *gameplayState.marks;
    marks.OutlineSelection(drag_ == Drag::Select ? RectCells(anchor_, under) : selection_);
    if (floating_) {
        marks.ShowGhost(*copied_, under);
    } else {
        marks.HideGhost();
    }
    CellSet tool;
    if (drag_ == Drag::Rectangle) {
        tool = RectCells(anchor_, under);
    } else if (drag_ == Drag::None && !floating_ && Down(Key::Ctrl) && IsInGrid(under)) {
        tool = FillRegion(levels_.Codes(levels_.Shown()), under);
    }
    marks.OutlineTool(tool);
}

void EditTools::Cancel() {
    drag_ = Drag::None;
    floating_ = false;
    selection_.reset();
    EditorMarks& marks = *gameplayState.marks;
    marks.OutlineSelection({});
    marks.OutlineTool({});
    marks.HideGhost();
}

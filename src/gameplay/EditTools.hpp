#pragma once

#include <cstdint>
#include <optional>

#include "gameplay/CellArea.hpp"

class LevelSet;

// The editor's tools beyond painting one cell: Shift + left drag fills a rectangle, Ctrl + left
// click flood-fills (the region outlined while Ctrl is held over the grid), Shift + right drag
// selects; Ctrl+C copies the selection, Ctrl+X cuts it, Delete floors it, Ctrl+V floats the
// copy under the pointer until a left click drops it or Esc drops nothing. Each change is one
// step of the shown level's history. The copy outlives a switch of level.
class EditTools {
public:
    explicit EditTools(LevelSet& levels) : levels_(levels) {}

    // One frame while the editor is on. True when a tool took the mouse buttons in this
    // frame: painting and copying must keep off them until they are let go.
    bool Update();
    // The editor went off: a drag, the selection and a floating paste go; the copy stays.
    void Cancel();

private:
    enum class Drag : uint8_t { None, Rectangle, Select };

    bool StartWithButtons(GridCell under);
    void FinishDrag(GridCell under);
    void SelectionKeys();
    void ShowMarks(GridCell under) const;
    void FloorSelection();

    LevelSet& levels_;
    Drag drag_ = Drag::None;
    GridCell anchor_;
    CellSet selection_;
    std::optional<CellBlock> copied_;
    bool floating_ = false;
    int32_t level_ = -1;  // the level shown when the selection was made
};

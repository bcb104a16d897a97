#include <gtest/gtest.h>

#include <algorithm>

#include <boost/filesystem/operations.hpp>

#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/MessagePanel.hpp"
#include "gameplay/PanelFrame.hpp"
#include "scene/TextComponent.hpp"
#include "scene/Component.hpp"
#include "gameplay/LevelFiles.hpp"
#include "support/GameplayWorld.hpp"

namespace {

// The editor on over an empty maze.
struct EditorWorld : GameplayWorld {
    EditorWorld() : GameplayWorld({Level({}, "Maze.json")}) { Press({Key::E}); }
    void RequestClose() {
        platform->closeRequested = true;
        RunFrames(1);
    }
    // Runs three frames; true when the game ended before them.
    bool Ended() {
        const int before = platform->frames;
        RunFrames(3);
        return platform->frames == before;
    }
    int32_t SavedCode() const { return Saved("Maze.json")[SlotOf({4, 4})]; }
};

// A left click on the panel's answer labelled `label`, where it is drawn; or the pointer only
// resting there.
void Click(GameplayWorld& world, const std::string& label, bool press = true) {
    Vector2 at(-100.0f, -100.0f);
    for (const GameObject* child : gameplayState.panel->children) {
        if (child->text && child->text->text == label) at = child->pos2d->position + Vector2(4.0f, 8.0f);
    }
    world.RunFrames(2, [at, press](int n) { GameplayWorld::Mouse(at, press && n == 1, false); });
}

}  // namespace

TEST(UnsavedEdits, TheTitleMarksCodesThatDifferFromTheFileNotTheEditsMade) {
    EditorWorld world;
    world.Paint({{4, 4}, {5, 4}});
    world.Paint({{6, 4}});
    const auto press = [&](std::initializer_list<Key> keys) {
        world.Press(keys);
        return world.platform->title;
    };
    EXPECT_EQ(press({Key::Ctrl, Key::Z}), "Game *");
    EXPECT_EQ(press({Key::Ctrl, Key::Z}), "Game");  // as loaded
    EXPECT_EQ(press({Key::Ctrl, Key::Y}), "Game *");
    EXPECT_EQ(press({Key::Ctrl, Key::Z}), "Game");
    EXPECT_EQ(press({Key::Ctrl, Key::S}), "Game");    // saved as loaded; the history stays
    EXPECT_EQ(press({Key::Ctrl, Key::Y}), "Game *");  // and differs from what was saved
    EXPECT_EQ(world.platform->titlesSet, 5);          // set when the state changes, not every frame
    EXPECT_EQ(world.SavedCode(), 0);
}

// Every duct piece of a panel's frame that is drawn lies on the box's edge.
bool FrameOnItsEdge(const GameObject& frame) {
    std::vector<Vector2> pieces;
    for (const GameObject* child : frame.children) {
        if (child->sprite->layer != 0 && child->sprite->size == Vector2(PanelFrame::piece, PanelFrame::piece))
            pieces.push_back(child->pos2d->position);
    }
    if (pieces.size() < 8) return false;
    const auto [left, right] = std::minmax_element(pieces.begin(), pieces.end(), [](Vector2 a, Vector2 b) { return a.x < b.x; });
    const auto [top, bottom] = std::minmax_element(pieces.begin(), pieces.end(), [](Vector2 a, Vector2 b) { return a.y < b.y; });
    return std::all_of(pieces.begin(), pieces.end(), [&](Vector2 p) {
        return p.x == left->x || p.x == right->x || p.y == top->y || p.y == bottom->y;
    });
}

TEST(UnsavedEdits, ClosingAsksOverTheMazeWhileTheGameRunsOnAndNothingButAnAnswerEndsIt) {
    {
        EditorWorld world;
        world.RequestClose();
        EXPECT_TRUE(world.platform->closedByUser);  // nothing to lose: no question
    }
    EditorWorld edited;
    edited.Paint({{4, 4}});
    edited.RequestClose();
    const MessagePanel& panel = *gameplayState.panel;
    ASSERT_TRUE(panel.IsOpen());
    EXPECT_EQ(panel.text(), "Save the changes to Maze.json before closing?");
    EXPECT_TRUE(FrameOnItsEdge(*panel.children.front()));
    EXPECT_FALSE(edited.Ended());  // the loop runs on: the music plays, a signal is heard
    edited.RequestClose();         // the close box again, and keys that are no answer
    edited.Press({Key::Right});
    edited.Paint({{6, 6}});
    EXPECT_TRUE(panel.IsOpen());
    EXPECT_EQ(GameplayWorld::Tile(6, 6).kind, 0);
    edited.Press({Key::Esc});
    EXPECT_FALSE(panel.IsOpen());
    EXPECT_FALSE(edited.Ended());
    EXPECT_EQ(GameplayWorld::Tile(4, 4).kind, 2);
    EXPECT_EQ(edited.platform->title, "Game *");
}

TEST(UnsavedEdits, TheAnswersSaveOrDiscardByKeyOrClick) {
    for (const auto& [key, label, saved] : {std::tuple{Key::S, "", 2}, {Key::D, "", 0}, {Key::None, "S: Save", 2},
                                            {Key::None, "D: Discard", 0}}) {
        SCOPED_TRACE(label);
        EditorWorld world;
        world.Paint({{4, 4}});
        world.RequestClose();
        if (key == Key::None) Click(world, label, false);  // pointing is no answer
        EXPECT_FALSE(world.Ended());
        key == Key::None ? Click(world, label) : world.Press({key});
        EXPECT_TRUE(world.Ended());
        EXPECT_EQ(world.SavedCode(), saved);
    }
}

// Without a font every byte is 10 pixels wide: words wrap whole, a word wider than a line is cut
// where it must be, and nothing is lost.
TEST(WrapText, WordsWrapWholeAndAWordWiderThanALineIsCut) {
    EXPECT_EQ(WrapText(nullptr, "ab cd efg", 50), (std::vector<std::string>{"ab cd", "efg"}));
    EXPECT_EQ(WrapText(nullptr, "x /abcdefghij", 40), (std::vector<std::string>{"x", "/abc", "defg", "hij"}));
}

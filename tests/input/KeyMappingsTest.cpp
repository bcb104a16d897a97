#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include "core/ContentError.hpp"
#include "core/ErrorReport.hpp"
#include "core/Services.hpp"
#include "input/InputManager.hpp"
#include "input/KeyMappings.hpp"
#include "support/TempContent.hpp"

namespace {

const std::string file = "Content/Config/KeyMappings.json";

class KeyMappings : public ::testing::Test {
protected:
    void SetUp() override { Services::input = &input; }
    void TearDown() override { Services::input = previous; }

    // The bindings after loading `json`, as (action, key code) pairs in order.
    std::vector<std::pair<Action, int32_t>> Load(const std::string& json) {
        content.Write(file, json);
        LoadKeyMappings(file);
        std::vector<std::pair<Action, int32_t>> pairs;
        for (const auto& [action, key] : input.bindings) pairs.emplace_back(action, int32_t(key));
        return pairs;
    }

    // The one line the user would see for loading `json`.
    std::string ErrorFor(const std::string& json) {
        content.Write(file, json);
        try {
            LoadKeyMappings(file);
        } catch (const std::exception& e) {
            return DescribeFatalError(e);
        }
        return "no error";
    }

    using Pairs = std::vector<std::pair<Action, int32_t>>;
    TempContent content;
    InputManager input;
    InputManager* previous = Services::input;
};

TEST_F(KeyMappings, EmptyObjectBindsNothing) { EXPECT_TRUE(Load("{}").empty()); }

TEST_F(KeyMappings, KeyNamesAreExact) {
    EXPECT_EQ(Load(R"({"MoveUp": "up", "MoveDown": "Down"})"), (Pairs{{Action::MoveUp, 0}, {Action::MoveDown, 79}}));
}

TEST_F(KeyMappings, RepeatedMembersEachAddAKeyInFileOrder) {
    EXPECT_EQ(Load(R"({"MoveUp": "Up", "MoveUp": "W", "MoveUp": "Up"})"),
              (Pairs{{Action::MoveUp, 77}, {Action::MoveUp, 33}, {Action::MoveUp, 77}}));
    input.SetKey(Key::Up, true);
    EXPECT_TRUE(input.IsActionPressed(Action::MoveUp));
}

TEST_F(KeyMappings, UnknownActionIsSkippedAndItsNeighboursBind) {
    EXPECT_EQ(Load(R"({"MoveLeft": "A", "Jump": "Space", "moveright": "D", "MoveRight": "D"})"),
              (Pairs{{Action::MoveLeft, 46}, {Action::MoveRight, 48}}));
}

TEST_F(KeyMappings, OddValues) {
    // "__END" is a name like any other; a number is read as its text; objects have no text.
    EXPECT_EQ(Load(R"({"EditorToggle": "__END", "EditorNextTile": 5, "EditorCopyTile": {"a": "Up"},
                       "EditorPlaceTile": ["Up"]})"),
              (Pairs{{Action::EditorToggle, 106},
                     {Action::EditorPlaceTile, 0},
                     {Action::EditorCopyTile, 0},
                     {Action::EditorNextTile, 22}}));
}

TEST_F(KeyMappings, LoadingAddsToExistingBindings) {
    input.Bind(Action::MoveUp, Key::W);
    EXPECT_EQ(Load(R"({"MoveUp": "Up"})"), (Pairs{{Action::MoveUp, 33}, {Action::MoveUp, 77}}));
}

TEST_F(KeyMappings, FileThatIsNotJsonNamesTheFileAndBindsNothing) {
    const std::string line = ErrorFor("{\"MoveUp\": \"Up\",\n\"MoveDown\" \"Down\"}");
    EXPECT_EQ(line.rfind(file + ": line 2: ", 0), 0u) << line;
    EXPECT_TRUE(input.bindings.empty());
}

TEST_F(KeyMappings, TopLevelThatIsNoObjectIsAnError) {
    const std::string line = ErrorFor("\"MoveUp\"");
    EXPECT_EQ(line.rfind(file + ": ", 0), 0u) << line;
    EXPECT_NE(line, "no error");
}

TEST_F(KeyMappings, MissingFileNamesTheFile) {
    boost::filesystem::remove(file);
    EXPECT_THROW(LoadKeyMappings(file), ContentError);
    try {
        LoadKeyMappings(file);
    } catch (const std::exception& e) {
        EXPECT_EQ(DescribeFatalError(e), file + ": cannot open file");
    }
}

TEST(ActionFromName, MatchesExactlyOneOfTheNineNames) {
    EXPECT_EQ(ActionFromName("MoveUp"), Action::MoveUp);
    EXPECT_EQ(ActionFromName("EditorPreviousTile"), Action::EditorPreviousTile);
    EXPECT_EQ(ActionFromName("moveup"), std::nullopt);
    EXPECT_EQ(ActionFromName(""), std::nullopt);
}

}  // namespace

// The menu, the sound keys, the settings and the player's own keys, through the real loop.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <chrono>
#include <cmath>
#include <thread>

#include "audio/AudioTestSupport.hpp"
#include "core/UserSettings.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/Menu.hpp"
#include "gameplay/MessagePanel.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"
#include "scene/TextComponent.hpp"
#include "support/GameplayWorld.hpp"

namespace fs = boost::filesystem;

namespace {

const std::string settingsFile = "home/config/glimmerduct/settings.json";
const std::string keysFile = "home/config/glimmerduct/KeyMappings.json";

std::string Strip() { return gameplayState.title->text->text; }

// The menu's rows as the player reads them, the selected one marked.
std::string Shown() {
    std::string text = gameplayState.menu->PageTitle() + ":";
    const auto rows = gameplayState.menu->Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        text += (int32_t(i) == gameplayState.menu->Selected() ? " [" : " ") + rows[i].label;
        if (!rows[i].value.empty()) text += " " + rows[i].value;
        if (int32_t(i) == gameplayState.menu->Selected()) text += "]";
    }
    return text;
}

// The lines of text the menu draws.
int DrawnLines() {
    int lines = 0;
    for (const GameObject* child : gameplayState.menu->children)
        lines += child->text && child->text->layer != 0 && !child->text->text.empty();
    return lines;
}

// Restarts the game over `text` in `file`, which it names in one line on stderr.
void RestartOver(GameplayWorld& world, const std::string& file, const std::string& text) {
    world.content.Write(file, text);
    testing::internal::CaptureStderr();
    world.Restart();
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(report.find((world.content.path() / file).string() + ": "), 0u) << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
}

void PressEach(GameplayWorld& world, std::initializer_list<Key> keys) {
    for (Key key : keys) world.Press({key});
}

boost::property_tree::ptree ReadSettings(const GameplayWorld& world) {
    Services::userSettings->Finish();
    boost::property_tree::ptree tree;
    boost::property_tree::read_json((world.content.path() / settingsFile).string(), tree);
    return tree;
}

Key FirstKey(Action action) { return Services::input->bindings.find(action)->second; }

}  // namespace

// The theme and the click are each one level throughout, so each captured sample tells who
// sounded and at which gain: M and N silence what they say, the volumes scale by their curve.
TEST(Menu, SoundKeysAndVolumesChangeWhatTheMixerPlays) {
    constexpr float music = 0.03f, click = 0.2f;
    audiotest::DiskCapture capture;
    {
        GameplayWorld world;
        audiotest::WriteSound(world.content.path() / "Content/Sound/Main/Tick.wav",
                              audiotest::Level(click, 64), 44100);
        world.Restart();
        ASSERT_FALSE(Services::sound->system->silent());
        Services::input->Bind(Action::MuteAll, Key::M);
        Services::input->Bind(Action::MuteMusic, Key::N);
        // The device runs ahead as fast as it can: a pause lets it play what the frames queued.
        const auto hear = [&] {
            for (int i = 0; i < 4; ++i) {
                world.RunFrames(1);
                std::this_thread::sleep_for(std::chrono::milliseconds(15));
            }
        };
        hear();
        world.Press({Key::N});
        EXPECT_EQ(Strip(), "Music off");
        hear();
        PressEach(world,
                  {Key::Esc, Key::Down, Key::Down, Key::OemEnter, Key::Down, Key::Left});  // effects to 9: a click
        EXPECT_EQ(Shown(),
                  "Settings: Music volume < 10 >  (N: off) [Effects volume < 9 >] Fullscreen Off "
                  "Moves and time On Back");
        hear();
        world.ClearClicks();
        PressEach(world, {Key::Esc, Key::Esc, Key::M});
        EXPECT_EQ(Strip(), "Sound off");
        PressEach(world, {Key::E, Key::E});  // two clicks, unheard
        EXPECT_EQ(world.Clicks(), 2);
        hear();
        PressEach(world, {Key::M, Key::N});
        hear();
        PressEach(world, {Key::Esc, Key::Down, Key::Down, Key::OemEnter});
        for (int i = 0; i < 7; ++i) world.Press({Key::Left});
        hear();
    }
    // Each sample as the level it is: 'C' the click at 9, '0' + v the theme at volume v.
    std::string runs;
    int clickSamples = 0;
    for (float sample : audiotest::Heard(capture.Left())) {
        char who = 0;
        if (std::abs(sample - click * VolumeGain(9)) < 0.01f * click * VolumeGain(9))
            who = 'C', ++clickSamples;
        for (int v = 1; v <= 10 && !who; ++v) {
            if (std::abs(sample - music * VolumeGain(v)) < 0.01f * music * VolumeGain(v)) who = char('0' + v);
        }
        if (who && (runs.empty() || runs.back() != who)) runs += who;
    }
    // The theme at 10, the click alone, the theme at 10 again, then turned down to 3 a step at
    // a time (steps may pass too fast to be heard).
    ASSERT_GE(runs.size(), 4u) << runs;
    EXPECT_EQ(runs.substr(0, 3), std::string(":C:")) << runs;
    EXPECT_TRUE(std::is_sorted(runs.begin() + 2, runs.end(), std::greater<>())) << runs;
    EXPECT_EQ(runs.back(), '3') << runs;
    EXPECT_GT(clickSamples, 40) << "one click of 64 frames";
    EXPECT_LT(clickSamples, 100) << "the clicks under M were heard";
}

TEST(Menu, TheControllerWorksTheMenuAndQuitAsksAboutUnsavedEditsFirst) {
    GameplayWorld world;
    GameplayWorld::SetCode({5, 5}, 2);
    world.Press({Key::E});
    world.Press({Key::Esc});
    EXPECT_FALSE(gameplayState.menu->IsOpen()) << "the editor keeps Esc";
    world.Press({Key::E});
    world.Press({Key::PadStart});
    EXPECT_EQ(Shown(), ": [Resume] Levels Settings Keys Quit");
    PressEach(world, {Key::Down, Key::Down, Key::PadA});
    EXPECT_EQ(Shown(),
              "Settings: [Music volume < 10 >] Effects volume < 10 > Fullscreen Off Moves and time On Back");
    PressEach(world, {Key::PadB, Key::PadB});
    EXPECT_FALSE(gameplayState.menu->IsOpen());
    PressEach(world, {Key::PadStart, Key::Up});
    EXPECT_EQ(Shown(), ": Resume Levels Settings Keys [Quit]");
    const int frames = world.platform->frames;
    world.Press({Key::PadA});
    world.RunFrames(3);
    EXPECT_EQ(world.platform->frames, frames + 5) << "the game went on";
    EXPECT_FALSE(gameplayState.menu->IsOpen());
    EXPECT_EQ(gameplayState.panel->text(), "Save the changes to Level.json before closing?");
    world.Press({Key::D});
    EXPECT_EQ(world.platform->frames, frames + 6) << "discarded, the game ends";
}

TEST(Menu, SettingsAreWrittenAtOnceComeBackAtStartAndADamagedFileIsMovedAside) {
    GameplayWorld world;
    Services::userSettings->Finish();
    EXPECT_FALSE(fs::exists(world.content.path() / settingsFile)) << "nothing changed, nothing written";
    PressEach(world, {Key::Esc, Key::Down, Key::Down, Key::OemEnter});
    for (int i = 0; i < 7; ++i) world.Press({Key::Left});
    PressEach(world, {Key::Down, Key::Down, Key::OemEnter, Key::Down, Key::Right});
    EXPECT_EQ(ReadSettings(world).get<int>("MusicVolume"), 3);
    EXPECT_TRUE(world.platform->IsFullscreen());
    world.Restart();
    const UserSettings& settings = *Services::userSettings;
    EXPECT_EQ(std::make_tuple(settings.musicVolume, settings.effectsVolume, settings.fullscreen,
                              settings.movesAndTime),
              std::make_tuple(3, 10, true, false));
    EXPECT_TRUE(world.platform->IsFullscreen());
    EXPECT_EQ(Services::sound->system->gains().music, VolumeGain(3));
    // Switched without the menu (F11): kept all the same.
    world.platform->SetFullscreen(false);
    world.RunFrames(1);
    EXPECT_EQ(ReadSettings(world).get<std::string>("Fullscreen"), "false");

    for (const char* damaged : {R"({"MusicVolume": 11})", R"({"Muted": "yes"})", "{\"MusicVolume\": "}) {
        RestartOver(world, settingsFile, damaged);
        EXPECT_EQ(Services::userSettings->musicVolume, 10);
        EXPECT_EQ(world.content.Read(settingsFile + ".damaged"), damaged);
        EXPECT_FALSE(fs::exists(world.content.path() / settingsFile));
    }
}

TEST(Menu, AKeyBoundElsewhereIsSwappedWrittenInTheShippedFormatAndReadAtStart) {
    GameplayWorld world;
    PressEach(world, {Key::Esc, Key::Up, Key::Up, Key::OemEnter, Key::OemEnter, Key::Esc});
    EXPECT_EQ(Shown().substr(0, 34), "Keys: [MoveUp Up] MoveDown Down Mo")
        << "Esc leaves the wait, binds nothing";
    PressEach(world, {Key::OemEnter, Key::Down});
    EXPECT_EQ(gameplayState.panel->text(),
              "Down is also used by MoveDown: swap? MoveDown then gets the keys of MoveUp.");
    world.Press({Key::OemEnter});
    EXPECT_EQ(std::make_pair(FirstKey(Action::MoveUp), FirstKey(Action::MoveDown)),
              std::make_pair(Key::Down, Key::Up));
    world.Press({Key::Esc});  // back on the first page, nothing of the longer one is drawn
    EXPECT_EQ(DrawnLines(), 6) << Shown();
    EXPECT_EQ(world.content.Read(keysFile).substr(0, 70),
              "{\n    \"MoveUp\": \"Down\",\n    \"MoveDown\": \"Up\",\n    \"MoveLeft\": \"Left\",\n");
    world.Restart();
    EXPECT_EQ(std::make_pair(FirstKey(Action::MoveUp), FirstKey(Action::MoveDown)),
              std::make_pair(Key::Down, Key::Up));

    // A damaged file of the player's: the shipped keys, the file left as it is until a change.
    const std::string damaged = R"({"MoveUp": "Nowhere"})";
    RestartOver(world, keysFile, damaged);
    EXPECT_EQ(FirstKey(Action::MoveUp), Key::Up);
    EXPECT_EQ(world.content.Read(keysFile), damaged);
    PressEach(world,
              {Key::Esc, Key::Up, Key::Up, Key::OemEnter, Key::Up, Key::Up, Key::OemEnter});  // reset
    EXPECT_EQ(world.content.Read(keysFile + ".damaged"), damaged);
    EXPECT_EQ(world.content.Read(keysFile).substr(0, 25), "{\n    \"MoveUp\": \"Up\",\n   ");
}

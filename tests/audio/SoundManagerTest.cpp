#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "audio/AudioTestSupport.hpp"
#include "audio/SoundBank.hpp"

using namespace audiotest;

// Every test sound is one level for 480 frames; what the device played, captured and cut into
// pieces of that length, gives the level of each play.
TEST(SoundManager, EachCuePlaysItsLayersByItsModeAndVolumesFromTheFirstBankByName) {
    constexpr size_t kFrames = 480;
    DiskCapture capture;  // before the device opens
    auto world = std::make_unique<SoundWorld>();
    ASSERT_FALSE(world->system().silent());
    const auto sound = [&](const std::string& file, float level) {
        WriteSound(world->content.path() / "Content/Sound" / file, Level(level, kFrames), world->rate());
    };
    sound("Main/A.wav", 0.125f);
    sound("Main/B.wav", 0.25f);
    sound("Main/C.wav", 0.5f);
    sound("Early/B.WAV", 0.0625f);  // "Early" sorts before "Main": its B answers
    const std::string abc = R"("Layers": [{"Sound": "A"}, {"Sound": "B"}, {"Sound": "C"}]})";
    const std::pair<const char*, std::string> cues[] = {
        {"C", R"({"Layers": [{"Sound": "A"}, {"Sound": "B"}]})"},  // replaces the sound's own cue
        {"Lower", R"({"LayerMode": "sequential", )" + abc},        // modes are exact: Simultaneous
        {"Turns",
         R"({"LayerMode": "Sequential", "Layers": [{"Sound": "Nowhere"}, {"Sound": "A"}, {"Sound": "B"}]})"},
        {"Random", R"({"LayerMode": "Randomized", )" + abc},
        {"Quiet", R"({"Layers": [{"Sound": "C", "Volume": 0.25}, {"Sound": "A", "Volume": "loud"}]})"},
        {"Twice", R"({"Layers": [{"Sound": "A"}, {"Sound": "A"}]})"},  // one sound on two channels at once
        {"Empty", R"({"LayerMode": "Randomized", "Layers": []})"},
        {"EmptyTurns", R"({"LayerMode": "Sequential", "Layers": []})"}};
    for (const auto& [name, json] : cues)
        world->content.Write(std::string("Content/Sound/Main/") + name + ".json", json);
    SoundManager::LoadBank("Main");
    SoundManager::LoadBank("Early");
    std::vector<std::string> played{"B",     "C",     "Lower", "Turns", "Turns",
                                    "Turns", "Quiet", "Twice", "Empty", "EmptyTurns"};
    std::vector<float> expected{0.0625f, 0.375f, 0.875f, 0.125f, 0.25f, 0.25f, 0.25f};
    // Randomized: a layer drawn anew for each play with the random manager, a third of the
    // draws for each of the three.
    std::mt19937 mirror(12345u);
    for (int i = 0; i < 8; ++i) {
        played.push_back("Random");
        expected.push_back(0.125f * float(1 << (uint32_t(mirror()) / 1431655765u)));
    }
    for (const std::string& cue : played) {
        SoundManager::PlayCue(cue);
        ASSERT_TRUE(WaitFor([&] { return world->system().PlayingCount() == 0; }));
    }
    world.reset();
    const std::vector<float> heard = Heard(capture.Left());
    std::vector<float> levels;
    for (size_t at = 0; at < heard.size(); at += kFrames) {
        levels.push_back(heard[at]);
        EXPECT_EQ(std::count(heard.begin() + long(at),
                             heard.begin() + long(std::min(at + kFrames, heard.size())), heard[at]),
                  long(kFrames));
    }
    EXPECT_EQ(levels, expected);
}

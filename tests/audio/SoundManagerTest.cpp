#include <gtest/gtest.h>

#include "audio/AudioSystem.hpp"
#include "audio/SoundBank.hpp"
#include "audio/SoundManager.hpp"
#include "audio/AudioTestSupport.hpp"
#include "core/ContentError.hpp"

using namespace audiotest;

namespace {

constexpr size_t kFrames = 480;

// Plays cues through the real device and captures what it played. Each test sound is a DC
// level of kFrames frames, so the capture tells the sounds and their sums apart.
class CuePlayback : public ::testing::Test {
protected:
    DiskCapture capture;  // before the device opens
    std::unique_ptr<SoundWorld> world = std::make_unique<SoundWorld>();

    void Sound(const std::string& bank, const std::string& file, float level) {
        WriteSound(world->Bank(bank) / file, Level(level, kFrames), world->rate());
    }
    void CueFile(const std::string& bank, const std::string& file, const std::string& json) {
        world->content.Write("Content/Sound/" + bank + "/" + file, json);
    }
    void PlayAndWait(const std::string& cue) {
        SoundManager::PlayCue(cue);
        WaitUntilQuiet(*world->sound->system);
    }
    // Closes the device and gives what it played.
    std::vector<float> Played() {
        world.reset();
        return capture.Left();
    }
};

}  // namespace

TEST_F(CuePlayback, ABareSoundPlaysOnceAtFullVolume) {
    ASSERT_FALSE(world->sound->system->silent());
    Sound("Main", "Click.wav", 0.5f);
    SoundManager::LoadBank("Main");
    PlayAndWait("Click");
    ExpectRuns(Played(), {{0.5f, kFrames}});
}

TEST_F(CuePlayback, ACueFileReplacesTheImplicitCueOfItsName) {
    Sound("Main", "Click.wav", 0.5f);
    Sound("Main", "Low.wav", 0.125f);
    Sound("Main", "High.wav", 0.25f);
    CueFile("Main", "Click.json", R"({"Layers": [{"Sound": "Low"}, {"Sound": "High"}]})");
    SoundManager::LoadBank("Main");
    PlayAndWait("Click");  // both layers on the same frames, Click.wav not at all
    PlayAndWait("High");   // the other sounds keep their own cues
    ExpectRuns(Played(), {{0.375f, kFrames}, {0.25f, kFrames}});
}

TEST_F(CuePlayback, LayerModeIsComparedExactly) {
    Sound("Main", "A.wav", 0.125f);
    Sound("Main", "B.wav", 0.25f);
    Sound("Main", "C.wav", 0.5f);
    const std::string layers = R"("Layers": [{"Sound": "A"}, {"Sound": "B"}, {"Sound": "C"}])";
    CueFile("Main", "Lower.json", R"({"LayerMode": "sequential", )" + layers + "}");
    CueFile("Main", "Turns.json", R"({"LayerMode": "Sequential", )" + layers + "}");
    SoundManager::LoadBank("Main");
    PlayAndWait("Lower");  // Simultaneous: all three together
    for (int i = 0; i < 4; ++i) PlayAndWait("Turns");
    ExpectRuns(Played(), {{0.875f, kFrames}, {0.125f, kFrames}, {0.25f, kFrames}, {0.5f, kFrames}, {0.125f, kFrames}});
}

TEST_F(CuePlayback, LayerVolumeScalesTheChannel) {
    Sound("Main", "Tone.wav", 0.75f);
    CueFile("Main", "Quiet.json", R"({"Layers": [{"Sound": "Tone", "Volume": 0.25}]})");
    CueFile("Main", "Odd.json", R"({"Layers": [{"Sound": "Tone", "Volume": "loud"}]})");
    SoundManager::LoadBank("Main");
    PlayAndWait("Quiet");
    PlayAndWait("Odd");  // not a number: full volume
    ExpectRuns(Played(), {{0.1875f, kFrames}, {0.75f, kFrames}});
}

TEST_F(CuePlayback, PlaysOverlapAndTheFirstBankByNameWins) {
    Sound("A", "Click.wav", 0.125f);
    Sound("B", "Click.wav", 0.5f);
    SoundManager::LoadBank("B");
    SoundManager::LoadBank("A");
    {
        AudioSystem::Hold together(*world->sound->system);
        SoundManager::PlayCue("Click");
        SoundManager::PlayCue("Click");
    }
    WaitUntilQuiet(*world->sound->system);
    ExpectRuns(Played(), {{0.25f, kFrames}});
}

TEST_F(CuePlayback, MissingLayersAreSkippedAndEmptyCuesPlayNothing) {
    Sound("Main", "A.wav", 0.125f);
    Sound("Main", "B.wav", 0.25f);
    CueFile("Main", "Gap.json", R"({"Layers": [{"Sound": "Nowhere"}, {"Sound": "A"}, {"Sound": "B"}]})");
    CueFile("Main", "GapTurns.json", R"({"LayerMode": "Sequential", "Layers": [{"Sound": "Nowhere"}, {"Sound": "B"}]})");
    CueFile("Main", "NoneRandom.json", R"({"LayerMode": "Randomized", "Layers": []})");
    CueFile("Main", "NoneTurns.json", R"({"LayerMode": "Sequential", "Layers": []})");
    SoundManager::LoadBank("Main");
    PlayAndWait("NoneRandom");
    PlayAndWait("NoneTurns");
    PlayAndWait("Gap");
    PlayAndWait("GapTurns");  // its first layer has no sound: this play is silent
    PlayAndWait("GapTurns");
    ExpectRuns(Played(), {{0.375f, kFrames}, {0.25f, kFrames}});
}

// Loading rules that need no capture (the dummy device).

TEST(SoundBankLoading, NamesFilesAndSkipsWhatIsNotASound) {
    SoundWorld world;
    WriteSound(world.Bank("Main") / "Click.WAV", Level(0.5f, 10), world.rate());
    WriteSound(world.Bank("Main") / "click.wav", Level(0.5f, 10), world.rate());
    world.content.Write("Content/Sound/Main/notes.txt", "not a sound at all\n");
    world.content.Write("Content/Sound/Main/Beep.JSON", R"({"LayerMode": "Randomized", "Layers": [{"Sound": "click"}]})");
    world.content.Write("Content/Sound/Main/Sub/Inner.wav", "");
    SoundManager::LoadBank("Main");
    const SoundBank& bank = *world.sound->banks.at("Main");
    ASSERT_EQ(bank.sounds.size(), 2u);
    EXPECT_TRUE(bank.sounds.count("Click") && bank.sounds.count("click"));
    ASSERT_EQ(bank.cues.size(), 3u);
    const Cue& beep = *bank.cues.at("Beep");
    EXPECT_EQ(beep.layerMode, LayerMode::Randomized);
    ASSERT_EQ(beep.layers.size(), 1u);
    EXPECT_EQ(beep.layers[0]->sound, bank.sounds.at("click").get());

    // A second load of the same name keeps the bank as it is.
    const SoundBank* before = world.sound->banks.at("Main").get();
    world.content.Write("Content/Sound/Main/Extra.json", R"({"Layers": []})");
    SoundManager::LoadBank("Main");
    EXPECT_EQ(world.sound->banks.at("Main").get(), before);
    EXPECT_FALSE(before->cues.count("Extra"));
    SoundManager::UnloadBank("Main");
    EXPECT_TRUE(world.sound->banks.empty());
}

TEST(SoundBankLoading, ContentErrorsNameTheFile) {
    SoundWorld world;
    auto expectError = [&](const std::string& bank, const std::string& file, const std::string& problem) {
        try {
            SoundManager::LoadBank(bank);
            ADD_FAILURE() << "no error for " << bank;
        } catch (const ContentError& e) {
            EXPECT_NE(e.file().string().find(file), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(problem), std::string::npos) << e.what();
        }
    };
    expectError("Absent", "Absent", "");
    world.content.Write("Content/Sound/Broken/Cue.json", R"({"Layers": [)");
    expectError("Broken", "Cue.json", "");
    world.content.Write("Content/Sound/NoLayers/Cue.json", R"({"LayerMode": "Sequential"})");
    expectError("NoLayers", "Cue.json", "No such node");
    world.content.Write("Content/Sound/NoSound/Cue.json", R"({"Layers": [{"Volume": 0.5}]})");
    expectError("NoSound", "Cue.json", "No such node");
    // The bank that failed stays entered with what it had.
    EXPECT_TRUE(world.sound->banks.count("NoSound"));
}

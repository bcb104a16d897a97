#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "audio/MusicManager.hpp"
#include "audio/AudioTestSupport.hpp"
#include "core/ContentError.hpp"

using namespace audiotest;

namespace {

std::string Meta(int start, int end) {
    return "{\"LoopStartSample\": " + std::to_string(start) + ", \"LoopEndSample\": " + std::to_string(end) + "}";
}

// Frames 0..end, then start..end again and again.
std::vector<float> Looped(const std::vector<float>& source, size_t start, size_t end, size_t passes) {
    std::vector<float> out(source.begin(), source.begin() + long(end) + 1);
    for (size_t i = 0; i < passes; ++i) out.insert(out.end(), source.begin() + long(start), source.begin() + long(end) + 1);
    return out;
}

// Plays tracks through the real device and captures them. Each frame of the track is its own
// level, so the capture shows which frames played in which order.
class MusicPlayback : public ::testing::Test {
protected:
    DiskCapture capture;
    std::unique_ptr<SoundWorld> world = std::make_unique<SoundWorld>();
    std::unique_ptr<MusicManager> music;

    void Track(const std::string& file) {
        WriteSound(world->content.path() / "Content/Music" / file, Ramp(300), world->rate(),
                   SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    }
    void Start() {
        music = std::make_unique<MusicManager>();
        Services::music = music.get();
    }
    // Runs a few frames of the loop's decoding, then closes the device.
    std::vector<float> Heard() {
        for (int i = 0; i < 20; ++i) {
            world->sound->Update();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        music.reset();
        world.reset();
        return audiotest::Heard(capture.Left());
    }
};

}  // namespace

TEST_F(MusicPlayback, TheIntroPlaysOnceThenTheLoopRegionRepeats) {
    Track("Theme.flac");
    world->content.Write("Content/Music/Theme.json", Meta(100, 199));
    Start();
    MusicManager::Play("Theme");
    const std::vector<float> heard = Heard();
    ASSERT_GE(heard.size(), 200u + 3 * 100u);
    const std::vector<float> expected = Looped(Ramp(300), 100, 199, heard.size() / 100);
    EXPECT_TRUE(std::equal(heard.begin(), heard.end(), expected.begin()));
}

TEST_F(MusicPlayback, WithoutLoopPointsTheWholeFileRepeats) {
    Track("Theme.flac");
    world->content.Write("Content/Music/Theme.json", Meta(100, -1));
    Start();
    MusicManager::Play("Theme");
    const std::vector<float> heard = Heard();
    ASSERT_GE(heard.size(), 3 * 300u);
    const std::vector<float> expected = Looped(Ramp(300), 0, 299, heard.size() / 300);
    EXPECT_TRUE(std::equal(heard.begin(), heard.end(), expected.begin()));
}

TEST_F(MusicPlayback, ALoopEndPastTheLastFrameLoopsTheWholeTrackWithOneWarning) {
    Track("Theme.flac");
    world->content.Write("Content/Music/Theme.json", Meta(100, 300));
    Start();
    testing::internal::CaptureStderr();
    {
        // The device may not play the first start's frames before the restart replaces it.
        AudioSystem::Hold bothStarts(*world->sound->system);
        MusicManager::Play("Theme");
        MusicManager::Play("Theme");  // restarts it, without a second warning
    }
    const std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_NE(warnings.find("Theme.flac"), std::string::npos) << warnings;
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 1) << warnings;
    const std::vector<float> heard = Heard();
    ASSERT_GE(heard.size(), 3 * 300u);
    const std::vector<float> expected = Looped(Ramp(300), 0, 299, heard.size() / 300);
    EXPECT_TRUE(std::equal(heard.begin(), heard.end(), expected.begin()));
}

TEST(MusicManager, AnUnknownNameLeavesTheCurrentTrackPlaying) {
    SoundWorld world;
    WriteSound(world.content.path() / "Content/Music/Theme.FLAC", Ramp(300), world.rate(),
               SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    world.content.Write("Content/Music/Theme.JSON", Meta(10, 20));
    world.content.Write("Content/Music/Orphan.json", R"({"LoopStartSample": 1, "LoopEndSample": 2})");
    MusicManager music;
    Services::music = &music;
    ASSERT_EQ(music.tracks.size(), 1u);
    EXPECT_EQ(music.tracks.at("Theme").loopStartSample, 10);
    EXPECT_EQ(music.tracks.at("Theme").loopEndSample, 20);
    MusicManager::Play("Theme");
    AudioClip* playing = music.currentSound;
    ASSERT_NE(playing, nullptr);
    MusicManager::Play("theme");
    EXPECT_EQ(music.currentSound, playing);
    EXPECT_TRUE(world.sound->system->IsPlaying(music.currentChannel));
}

TEST(MusicManager, MetadataErrorsFailCreationNamingTheFile) {
    auto expectError = [](const std::string& json, const std::string& problem) {
        SoundWorld world;
        world.content.Write("Content/Music/Theme.ogg", "");
        world.content.Write("Content/Music/Theme.json", json);
        try {
            MusicManager music;
            ADD_FAILURE() << "no error for " << json;
        } catch (const ContentError& e) {
            EXPECT_EQ(e.file().filename().string(), "Theme.json") << e.what();
            EXPECT_NE(std::string(e.what()).find(problem), std::string::npos) << e.what();
        }
    };
    expectError(R"({"LoopStartSample": 5})", "No such node");
    expectError(R"({"LoopStartSample": 5, "LoopEndSample": "end"})", "");
    expectError(Meta(200, 100), "after");
    expectError(Meta(-5, 100), "negative");
    expectError("{", "");
}

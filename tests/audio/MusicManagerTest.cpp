#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "audio/AudioTestSupport.hpp"
#include "audio/MusicManager.hpp"

using namespace audiotest;

namespace {

// A track whose frame i holds its own index, so what played shows which frames, in which order.
void Track(const SoundWorld& world, const std::string& name, const std::string& loop) {
    WriteSound(world.content.path() / "Content/Music" / (name + ".flac"), Ramp(300), world.rate(),
               SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    if (!loop.empty()) world.content.Write("Content/Music/" + name + ".json", "{" + loop + "}");
}

}  // namespace

TEST(MusicManager, ATrackPlaysItsIntroOnceThenLoopsAndStartsOverWhenPlayedAgain) {
    DiskCapture capture;
    {
        SoundWorld world;
        Track(world, "Theme", R"("LoopStartSample": 100, "LoopEndSample": 199)");
        MusicManager music;
        Services::music = &music;
        // Nothing refills the stream here: once the device has played what was decoded ahead,
        // it runs dry, which the underrun count shows.
        for (int play = 0; play < 2; ++play) {
            const uint64_t before = world.system().underruns();
            MusicManager::Play("Theme");
            ASSERT_TRUE(WaitFor([&] { return world.system().underruns() > before; }));
        }
    }
    const std::vector<float> heard = Heard(capture.Left()),
                             looped = Looped(Ramp(300), 100, 199, heard.size() / 100);
    const auto again = std::find(heard.begin() + 1, heard.end(), heard.at(0));
    ASSERT_GE(again - heard.begin(), 300) << "played again, the track did not start over";
    EXPECT_TRUE(std::equal(heard.begin(), again, looped.begin()));
    EXPECT_TRUE(std::equal(again, heard.end(), looped.begin()));
}

TEST(MusicManager, TracksLoopWholeWithoutUsableLoopPointsAndAnUnknownNameChangesNothing) {
    SoundWorld world;
    Track(world, "Theme", R"("LoopStartSample": 100, "LoopEndSample": 300)");  // past the last frame
    Track(world, "Plain", "");
    MusicManager music;
    Services::music = &music;
    testing::internal::CaptureStderr();
    for (const char* name : {"Theme", "Theme", "Plain"}) {  // warned once only
        MusicManager::Play(name);
        const LoopSettings& loop = music.currentSound->loop();
        EXPECT_EQ(std::make_tuple(loop.count, loop.start, loop.end),
                  std::make_tuple(-1, int64_t(0), int64_t(-1)));
    }
    const std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_EQ(warnings.rfind("Content/Music/Theme.flac: ", 0), 0u) << warnings;
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 1) << warnings;
    const ChannelId playing = music.currentChannel;
    MusicManager::Play("plain");
    EXPECT_TRUE(world.system().IsPlaying(playing));
}

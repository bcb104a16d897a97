#include <gtest/gtest.h>

#include "audio/AudioTestSupport.hpp"

using namespace audiotest;

// The dummy device plays in real time, so one-second clips are still playing throughout.
TEST(AudioSystem, ChannelsAreHandedOutAndTakenBackByTheirClips) {
    TempContent content;
    AudioSystem system(2);
    ASSERT_FALSE(system.silent());
    WriteSound(content.path() / "long.wav", Level(0.1f, size_t(system.rate())), system.rate());
    AudioClip* music = system.CreateClip("long.wav", ClipMode::Stream);
    AudioClip* effect = system.CreateClip("long.wav", ClipMode::Memory);
    ASSERT_TRUE(music && effect);
    const ChannelId song = system.Play(*music, false), first = system.Play(*effect, true);
    const ChannelId second = system.Play(*effect, true);  // all busy: the oldest effect gives way
    system.SetVolume(first, 0.5f);                        // a stale handle changes nothing
    EXPECT_EQ(std::make_tuple(system.IsPlaying(song), system.IsPlaying(first), system.IsPlaying(second)),
              std::make_tuple(true, false, true));
    system.ReleaseClip(effect);
    EXPECT_TRUE(system.IsPlaying(song) && !system.IsPlaying(second) && system.PlayingCount() == 1);
}

TEST(AudioSystem, WithoutADeviceItSaysSoOnceAndTakesPlaysSilently) {
    TempContent content;
    WriteSound(content.path() / "click.wav", Level(0.1f, 100), 48000);
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    AudioSystem system(4);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("No sound device (", 0), 0u) << said;
    EXPECT_EQ(said.find("): the game runs silent.\n"), said.size() - 25) << said;
    AudioClip* clip = system.CreateClip("click.wav", ClipMode::Memory);
    ASSERT_NE(clip, nullptr);
    EXPECT_FALSE(system.IsPlaying(system.Play(*clip, false)));
}

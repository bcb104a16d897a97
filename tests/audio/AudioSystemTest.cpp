#include <gtest/gtest.h>

#include "audio/AudioSystem.hpp"
#include "audio/AudioTestSupport.hpp"

using namespace audiotest;

// The dummy device plays in real time, so one-second clips are still playing throughout.
TEST(AudioSystem, ChannelsAreHandedOutAndTakenBackByTheirClips) {
    TempContent content;
    AudioSystem system(2);
    ASSERT_FALSE(system.silent());
    WriteSound(content.path() / "long.wav", Level(0.1f, size_t(system.rate())), system.rate());
    WriteSound(content.path() / "music.wav", Level(0.1f, size_t(system.rate())), system.rate());
    content.Write("text.wav", "RIFF, but not really");
    EXPECT_EQ(system.CreateClip((content.path() / "text.wav").string(), ClipMode::Memory), nullptr);

    AudioClip* music = system.CreateClip((content.path() / "music.wav").string(), ClipMode::Stream);
    AudioClip* effect = system.CreateClip((content.path() / "long.wav").string(), ClipMode::Memory);
    ASSERT_TRUE(music && effect);
    const ChannelId song = system.Play(*music, false);
    const ChannelId first = system.Play(*effect, true);
    const ChannelId second = system.Play(*effect, true);  // all busy: the oldest effect gives way
    EXPECT_TRUE(system.IsPlaying(song));
    EXPECT_FALSE(system.IsPlaying(first));
    EXPECT_TRUE(system.IsPlaying(second));
    system.SetVolume(first, 0.5f);  // a stale handle changes nothing
    EXPECT_EQ(system.PlayingCount(), 2);

    system.ReleaseClip(effect);
    EXPECT_FALSE(system.IsPlaying(second));
    EXPECT_TRUE(system.IsPlaying(song));
    EXPECT_EQ(system.PlayingCount(), 1);
}

TEST(AudioSystem, WithoutADeviceItAcceptsPlaysSilently) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    TempContent content;
    testing::internal::CaptureStderr();
    AudioSystem system(4);
    const std::string said = testing::internal::GetCapturedStderr();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_TRUE(system.silent());
    EXPECT_NE(said.find("runs silent"), std::string::npos) << said;
    WriteSound(content.path() / "click.wav", Level(0.1f, 100), 48000);
    AudioClip* clip = system.CreateClip((content.path() / "click.wav").string(), ClipMode::Memory);
    ASSERT_NE(clip, nullptr);
    const ChannelId channel = system.Play(*clip, false);
    system.SetVolume(channel, 0.5f);
    system.Update();
    EXPECT_FALSE(system.IsPlaying(channel));
    system.ReleaseClip(clip);
}

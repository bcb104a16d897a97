#include <gtest/gtest.h>

#include <cstdlib>

#include "audio/MusicManager.hpp"
#include "audio/SoundBank.hpp"
#include "audio/SoundManager.hpp"
#include "audio/AudioTestSupport.hpp"
#include "core/Game.hpp"
#include "core/Services.hpp"
#include "support/GameplayWorld.hpp"

using namespace audiotest;

namespace {

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// The game with the shipped content, run for a few frames that play the click and the theme.
void RunGameWithSound(TempContent& content) {
    content.CopyFromSource("Content", "Content");
    auto platform = std::make_unique<SoftwarePlatform>();
    FakePlatform& fake = *platform;
    fake.quitAfterFrames = 5;
    fake.onFrame = [](int frame) {
        SoundManager::PlayCue("Click");
        if (frame == 2) MusicManager::Play("TorvelTheme");
    };
    {
        Game game(std::move(platform));
        ASSERT_NE(Services::sound, nullptr);
        ASSERT_NE(Services::music, nullptr);
        EXPECT_EQ(Services::music->tracks.count("TorvelTheme"), 1u);
        game.StartUp();
        ASSERT_TRUE(Services::sound->banks.count("Main"));
        EXPECT_TRUE(Services::sound->banks.at("Main")->cues.count("Click"));
        game.RunLoop();
        EXPECT_EQ(fake.frames, 5);
        EXPECT_NE(Services::music->currentSound, nullptr);
        game.ShutDown();
        EXPECT_TRUE(Services::sound->banks.empty());
    }
    EXPECT_EQ(Services::sound, nullptr);
    EXPECT_EQ(Services::music, nullptr);
}

}  // namespace

TEST(GameAudio, TheGamePlaysOnWithoutASoundDevice) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    TempContent content;
    testing::internal::CaptureStderr();
    RunGameWithSound(content);
    const std::string said = testing::internal::GetCapturedStderr();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_EQ(Count(said, "runs silent"), 1u) << said;
}

TEST(GameAudio, TheGameLoadsPlaysAndReleasesItsSound) {
    TempContent content;
    testing::internal::CaptureStderr();
    RunGameWithSound(content);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Count(said, "runs silent"), 0u) << said;
}

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>

#include "support/GameProcess.hpp"
#include "support/TempContent.hpp"

namespace {

// SDL picks its own audio driver here, as on a player's machine. On a machine without a sound
// card that is ALSA failing, which must cost one warning and no more; with a card, nothing.
TEST(NoSoundCardTest, GameRunsWithAtMostOneWarningAndQuitsOnTerm) {
    TempContent content;
    content.CopyFromSource("Content", "Content");
    GameProcess game(content.path().string(), {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER", "DISPLAY",
                                               "WAYLAND_DISPLAY"});
    std::this_thread::sleep_for(std::chrono::seconds(1));
    ASSERT_TRUE(game.Running()) << game.StandardError();
    game.Signal(SIGTERM);
    ASSERT_TRUE(game.WaitForExit(std::chrono::seconds(10))) << "the game ignored SIGTERM";
    const std::string err = game.StandardError();
    ASSERT_TRUE(game.exited()) << "signal " << game.termSignal() << "\n" << err;
    EXPECT_EQ(game.exitStatus(), 0) << err;

    std::istringstream lines(err);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_EQ(line.rfind("No sound device (", 0), 0u) << line;
        EXPECT_NE(line.find("): the game runs silent."), std::string::npos) << line;
    }
    EXPECT_LE(count, 1) << err;
}

}  // namespace

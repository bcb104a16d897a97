// The menu in a real window, heard through SDL's disk audio driver: what is set there is what
// the next start looks and sounds like.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <cmath>
#include <fstream>
#include <thread>

#include "core/UserSettings.hpp"
#include "support/GameWindow.hpp"

namespace fs = boost::filesystem;

namespace {

// The left channel of what the game played, as the disk driver wrote it (stereo floats).
std::vector<float> PlayedLeft(const fs::path& file) {
    std::ifstream in(file.string(), std::ios::binary);
    std::vector<float> left;
    for (float frame[2]; in.read(reinterpret_cast<char*>(frame), sizeof frame);) left.push_back(frame[0]);
    return left;
}

// The root mean square of `seconds` of `samples` (one channel at `rate`) from the first sample
// that is not silent; 0 when fewer are there.
double Rms(const std::vector<float>& samples, int rate, double seconds) {
    const auto first = std::find_if(samples.begin(), samples.end(), [](float s) { return s != 0.0f; });
    const auto count = long(seconds * rate);
    if (samples.end() - first < count) return 0.0;
    double sum = 0.0;
    for (auto it = first; it != first + count; ++it) sum += double(*it) * double(*it);
    return std::sqrt(sum / double(count));
}

}  // namespace

// The volume curve's gain for 3 is 4 dB a step below 10: -28 dB.
TEST(MenuWindow, MusicTurnedDownAndFullscreenInTheMenuComeBackAtTheNextStart) {
    if (std::system("command -v Xvfb xdotool evilwm > /dev/null") != 0)
        GTEST_SKIP() << "no Xvfb, xdotool or evilwm";
    GameWindow window;
    // Fullscreen is the window manager's to give: without one the window keeps its size.
    window.X("evilwm -fn fixed > /dev/null 2>&1 &");
    ASSERT_TRUE(WaitUntil(
        [&] { return window.X("xprop -root _NET_SUPPORTED").find("FULLSCREEN") != std::string::npos; }));
    const fs::path firstRun = window.folder().path() / "first.raw",
                   secondRun = window.folder().path() / "second.raw";
    const auto disk = [](const fs::path& file) {
        return std::vector<std::string>{"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + file.string()};
    };
    window.Launch(disk(firstRun));
    const auto press = [&](std::vector<std::string> keys) {
        // Down and up, and up and the next down, far enough apart that a frame slowed by a
        // loaded machine still sees each press.
        for (const std::string& key : keys)
            window.X("xdotool keydown " + key + " sleep 0.3 keyup " + key + " sleep 0.3");
    };
    const auto fullscreen = [&] {
        return WaitUntil([&] {
            return window.X("xdotool getwindowgeometry " + window.window()).find("1024x768") !=
                   std::string::npos;
        });
    };
    // Esc, Settings, music volume from 10 down to 3, fullscreen on; then closed (the menu's
    // Quit is pinned in process).
    press({"Escape", "Down", "Down", "Return", "Left", "Left", "Left", "Left", "Left", "Left", "Left", "Down", "Down",
           "Return"});
    ASSERT_TRUE(fullscreen());
    window.RequestClose();
    ASSERT_TRUE(window.game().WaitForExit(std::chrono::seconds(30)));
    EXPECT_EQ(window.game().exitStatus(), 0) << window.game().StandardError();
    boost::property_tree::ptree settings;
    boost::property_tree::read_json(
        (window.folder().path() / "home/config/glimmerduct/settings.json").string(), settings);
    EXPECT_EQ(settings.get<int>("MusicVolume"), 3);

    window.Launch(disk(secondRun));
    EXPECT_TRUE(fullscreen()) << "the window over the whole screen of the server";
    std::this_thread::sleep_for(std::chrono::seconds(3));
    window.RequestClose();
    ASSERT_TRUE(window.game().WaitForExit(std::chrono::seconds(30)));
    EXPECT_EQ(window.game().exitStatus(), 0) << window.game().StandardError();

    SF_INFO info{};
    SNDFILE* theme =
        sf_open((window.folder().path() / "Content/Music/TorvelTheme.flac").c_str(), SFM_READ, &info);
    ASSERT_NE(theme, nullptr);
    std::vector<float> frames(size_t(info.frames * info.channels));
    sf_readf_float(theme, frames.data(), info.frames);
    sf_close(theme);
    std::vector<float> themeLeft;
    for (size_t i = 0; i < frames.size(); i += size_t(info.channels)) themeLeft.push_back(frames[i]);
    // The disk driver writes at the rate the game asked for, 48 kHz, in real time.
    const double heard = Rms(PlayedLeft(secondRun), 48000, 2.0), full = Rms(themeLeft, info.samplerate, 2.0);
    ASSERT_GT(full, 0.0);
    EXPECT_NEAR(heard / full, VolumeGain(3), 0.1 * VolumeGain(3)) << heard << " / " << full;
}

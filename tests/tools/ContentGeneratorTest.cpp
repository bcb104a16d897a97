#include <SDL.h>
#include <SDL_image.h>
#include <sndfile.h>

#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "audio/AudioClip.hpp"
#include "audio/MusicManager.hpp"
#include "audio/RandomManager.hpp"
#include "audio/Sound.hpp"
#include "audio/SoundBank.hpp"
#include "audio/SoundManager.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "graphics/FontManager.hpp"
#include "graphics/TextureManager.hpp"
#include "input/Key.hpp"
#include "input/KeyMappings.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TempContent.hpp"

namespace fs = boost::filesystem;
namespace pt = boost::property_tree;

namespace {

const fs::path Committed = fs::path(GAME_SOURCE_DIR) / "Content";
// The folders the generator writes; Levels and Config are edited by hand.
const char* const GeneratedFolders[] = {"Textures", "Fonts", "Sound", "Music"};
const char* const TileNames[] = {"GutBackground", "GutHorizontal", "GutVertical",  "GutTopLeft",
                                 "GutTopRight",   "GutBottomLeft", "GutBottomRight", "TorvelPose",
                                 "TorvelWoosh1",  "TorvelWoosh1a", "TorvelWoosh2",  "TorvelWoosh2a"};

// One fresh run of the generator per test process, shared by the tests that need it, and
// removed when the process ends.
struct FreshRun {
    fs::path out = fs::temp_directory_path() / fs::unique_path("contentgen-%%%%-%%%%") / "Content";
    FreshRun() {
        fs::create_directories(out);
        const std::string command = std::string("\"") + CONTENTGEN_EXECUTABLE + "\" \"" + out.string() + "\"";
        if (std::system(command.c_str()) != 0) throw std::runtime_error("contentgen failed");
    }
    ~FreshRun() {
        boost::system::error_code ec;
        fs::remove_all(out.parent_path(), ec);
    }
};

const fs::path& FreshContent() {
    static const FreshRun run;
    return run.out;
}

std::vector<fs::path> FilesBelow(const fs::path& top) {
    std::vector<fs::path> files;
    for (const char* folder : GeneratedFolders) {
        for (const auto& e : fs::recursive_directory_iterator(top / folder))
            if (fs::is_regular_file(e.path())) files.push_back(fs::relative(e.path(), top));
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string Bytes(const fs::path& file) {
    std::ifstream in(file.string(), std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

Surface LoadRgba(const fs::path& file) {
    Surface loaded(IMG_Load(file.string().c_str()));
    if (!loaded) return nullptr;
    return Surface(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
}

struct Audio {
    SF_INFO info{};
    std::vector<short> samples;  // interleaved
};

Audio LoadAudio(const fs::path& file) {
    Audio audio;
    SNDFILE* handle = sf_open(file.string().c_str(), SFM_READ, &audio.info);
    if (!handle) return audio;
    audio.samples.resize(size_t(audio.info.frames * audio.info.channels));
    sf_readf_short(handle, audio.samples.data(), audio.info.frames);
    sf_close(handle);
    return audio;
}

// Which sides of a cell a tile code's duct runs to: left, right, up, down.
struct Sides {
    bool left = false, right = false, up = false, down = false;
};

Sides DuctSides(int code) {
    switch (code) {
        case 1: return {true, true, false, false};
        case 2: return {false, false, true, true};
        case 3: return {false, true, false, true};
        case 4: return {true, false, false, true};
        case 5: return {false, true, true, false};
        case 6: return {true, false, true, false};
        default: return {};
    }
}

std::vector<int> ReadCodes(const pt::ptree& level) {
    std::vector<int> codes;
    std::stringstream list(level.get<std::string>("Tiles"));
    for (std::string piece; std::getline(list, piece, ',');) codes.push_back(std::stoi(piece));
    return codes;
}

}  // namespace

TEST(ContentGenerator, FreshRunEqualsCommittedContent) {
    const fs::path& fresh = FreshContent();
    const std::vector<fs::path> generated = FilesBelow(fresh);
    ASSERT_EQ(generated, FilesBelow(Committed)) << "the committed Content/ is stale: run scripts/generate-content.sh";
    for (const fs::path& file : generated) {
        SCOPED_TRACE(file.string());
        const std::string extension = file.extension().string();
        if (extension == ".png") {
            const Surface a = LoadRgba(fresh / file), b = LoadRgba(Committed / file);
            ASSERT_TRUE(a && b);
            ASSERT_EQ(a->w, b->w);
            ASSERT_EQ(a->h, b->h);
            for (int y = 0; y < a->h; ++y) {
                const auto* rowA = static_cast<const uint8_t*>(a->pixels) + y * a->pitch;
                const auto* rowB = static_cast<const uint8_t*>(b->pixels) + y * b->pitch;
                ASSERT_TRUE(std::equal(rowA, rowA + 4 * a->w, rowB)) << "row " << y;
            }
        } else if (extension == ".wav" || extension == ".flac") {
            const Audio a = LoadAudio(fresh / file), b = LoadAudio(Committed / file);
            ASSERT_GT(a.info.frames, 0);
            EXPECT_EQ(a.info.samplerate, b.info.samplerate);
            EXPECT_EQ(a.info.channels, b.info.channels);
            EXPECT_TRUE(a.samples == b.samples);
        } else {
            EXPECT_EQ(Bytes(fresh / file), Bytes(Committed / file));
        }
    }
}

TEST(ContentGenerator, TexturesAndTitleFontLoadWithTheGamesLoaders) {
    TempContent temp;
    temp.CopyFromSource("Content/Textures", "Content/Textures");
    temp.CopyFromSource("Content/Fonts", "Content/Fonts");
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("test", 0, 0, 800, 600, SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    ASSERT_NE(renderer, nullptr) << SDL_GetError();
    GameSettings settings;
    settings.device = renderer;
    Services::settings = &settings;
    {
        TextureManager textures;
        textures.LoadBank("Main");
        for (const char* name : TileNames) {
            const Texture* texture = textures.GetTexture(name);
            ASSERT_NE(texture, nullptr) << name;
            EXPECT_EQ(texture->width, 64.0f) << name;
            EXPECT_EQ(texture->height, 64.0f) << name;
        }
        FontManager fonts;
        fonts.LoadBank("Main");
        const Font* title = fonts.GetFont("Title");
        ASSERT_NE(title, nullptr);
        ASSERT_NE(title->page, nullptr);
        for (int code = 32; code <= 126; ++code) {
            ASSERT_TRUE(title->glyphs.count(code)) << code;
            const Glyph& g = title->glyphs.at(code);
            EXPECT_GT(g.xadvance, 0) << code;
            EXPECT_LE(g.x + g.width, int(title->page->width)) << code;
            EXPECT_LE(g.y + g.height, int(title->page->height)) << code;
        }
        EXPECT_GT(title->kernings.size(), 20u);
        // The title as the screen draws it: pen at (10, 577), in the strip below the grid.
        const std::string text = "TORVEL: Glimmerduct";
        float top = 600, bottom = 0, left = 800, right = 0;
        title->LayOut(text, Vector2(10, 577), [&](const Glyph& g, Vector2 at) {
            if (g.width == 0) return;
            top = std::min(top, at.y), bottom = std::max(bottom, at.y + float(g.height));
            left = std::min(left, at.x), right = std::max(right, at.x + float(g.width));
        });
        EXPECT_GE(top, 577.0f);
        EXPECT_LE(bottom, 600.0f);
        EXPECT_GE(left, 0.0f);
        EXPECT_LE(right, 800.0f);
        EXPECT_GE(bottom - top, 12.0f) << "too small to read";
        int kernedPairs = 0;
        for (size_t i = 1; i < text.size(); ++i) kernedPairs += title->GetKerning(text[i - 1], text[i]) != 0;
        EXPECT_GE(kernedPairs, 1) << "the face kerns R and V";
    }
    Services::settings = nullptr;
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
}

// The files above are checked as files; here the game's own sound and music loaders read the
// generator's output.
TEST(ContentGenerator, SoundBankAndThemeLoadWithTheGamesLoaders) {
    ScopedEnv quiet("SDL_AUDIODRIVER", "dummy");
    // The loaders read Content/ below the working folder: the generator's fresh output.
    const fs::path previous = fs::current_path();
    fs::current_path(FreshContent().parent_path());
    struct Back {
        fs::path to;
        ~Back() {
            boost::system::error_code ec;
            fs::current_path(to, ec);
            Services::random = nullptr;
        }
    } back{previous};
    RandomManager random(3u);
    Services::random = &random;
    auto sound = std::make_unique<SoundManager>();
    Services::sound = sound.get();

    SoundManager::LoadBank("Main");
    ASSERT_TRUE(sound->banks.count("Main"));
    const SoundBank& bank = *sound->banks.at("Main");
    ASSERT_TRUE(bank.cues.count("Click"));
    const Cue& click = *bank.cues.at("Click");
    EXPECT_EQ(click.layerMode, LayerMode::Randomized) << "one variant per play";
    ASSERT_EQ(click.layers.size(), 4u);
    for (size_t i = 0; i < click.layers.size(); ++i) {
        SCOPED_TRACE("layer " + std::to_string(i));
        const std::string variant = "Click" + std::to_string(i + 1);
        ASSERT_TRUE(bank.sounds.count(variant));
        const Sound* layerSound = click.layers[i]->sound;
        EXPECT_EQ(layerSound, bank.sounds.at(variant).get());
        ASSERT_NE(layerSound, nullptr);
        ASSERT_NE(layerSound->clip, nullptr);
        EXPECT_GT(layerSound->clip->frames(), 0);
        EXPECT_GT(click.layers[i]->volume, 0.0f);
        EXPECT_LE(click.layers[i]->volume, 1.0f);
    }

    {
        MusicManager music;
        Services::music = &music;
        ASSERT_TRUE(music.tracks.count("TorvelTheme"));
        const MusicMetadata& theme = music.tracks.at("TorvelTheme");
        const Audio file = LoadAudio(theme.path);
        EXPECT_GT(theme.loopStartSample, 0) << "the introduction plays once";
        EXPECT_LT(theme.loopStartSample, theme.loopEndSample);
        EXPECT_LT(theme.loopEndSample, file.info.frames);
        // The stream opens and takes the loop region as it is.
        testing::internal::CaptureStderr();
        MusicManager::Play("TorvelTheme");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        ASSERT_NE(music.currentSound, nullptr);
        EXPECT_EQ(music.currentSound->sourceFrames(), file.info.frames);
        EXPECT_EQ(music.currentSound->loop().start, theme.loopStartSample);
        EXPECT_EQ(music.currentSound->loop().end, theme.loopEndSample);
        EXPECT_EQ(music.currentSound->loop().count, -1);
    }
    SoundManager::UnloadBank("Main");
    sound.reset();
}

TEST(ContentGenerator, ThemeLoopRegionJoinsWithoutAJumpAndNeverClips) {
    pt::ptree loop;
    pt::read_json((Committed / "Music/TorvelTheme.json").string(), loop);
    const int64_t start = loop.get<int64_t>("LoopStartSample"), end = loop.get<int64_t>("LoopEndSample");
    const Audio theme = LoadAudio(Committed / "Music/TorvelTheme.flac");
    ASSERT_EQ(theme.info.samplerate, 44100);
    ASSERT_EQ(theme.info.channels, 2);
    ASSERT_GT(start, 0);
    ASSERT_LT(end, theme.info.frames);
    EXPECT_GE(end - start + 1, 20 * 44100) << "loop region shorter than 20 s";

    int peak = 0, largestStep = 0;
    for (int64_t f = start; f < end; ++f) {
        for (int c = 0; c < 2; ++c) {
            const int now = theme.samples[size_t(2 * f + c)], next = theme.samples[size_t(2 * f + 2 + c)];
            largestStep = std::max(largestStep, std::abs(next - now));
        }
    }
    for (short s : theme.samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_LT(peak, 32767) << "clipped";
    EXPECT_GT(peak, 16000) << "far too quiet";
    // The jump back from the last loop frame to the first must look like any step inside.
    for (int c = 0; c < 2; ++c) {
        const int seam = std::abs(theme.samples[size_t(2 * start + c)] - theme.samples[size_t(2 * end + c)]);
        EXPECT_LT(seam, largestStep / 4) << "channel " << c;
        // The introduction ends on the loop's own last bar, so entering the loop the first time
        // and jumping back later continue from the same sound.
        const int entry = theme.samples[size_t(2 * (start - 1) + c)], last = theme.samples[size_t(2 * end + c)];
        EXPECT_LE(std::abs(entry - last), 2) << "channel " << c;
    }

    for (int i = 1; i <= 4; ++i) {
        const Audio click = LoadAudio(Committed / ("Sound/Main/Click" + std::to_string(i) + ".wav"));
        ASSERT_EQ(click.info.samplerate, 44100) << i;
        EXPECT_EQ(click.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << i;
        EXPECT_LT(click.info.frames, 44100 / 5) << "a click is short";
        int clickPeak = 0;
        for (short s : click.samples) clickPeak = std::max(clickPeak, std::abs(int(s)));
        EXPECT_LT(clickPeak, 32767) << i;
        EXPECT_GT(clickPeak, 3000) << i;
    }
}

TEST(ShippedContent, MazeIsWellFormedAndItsDuctsJoin) {
    const fs::path file = fs::path(GAME_SOURCE_DIR) / "Content/Levels/Maze.json";
    pt::ptree level;
    pt::read_json(file.string(), level);
    // Byte for byte what the editor's save would write.
    std::ostringstream rewritten;
    pt::write_json(rewritten, level, true);
    EXPECT_EQ(rewritten.str(), Bytes(file));

    const std::vector<int> codes = ReadCodes(level);
    ASSERT_EQ(codes.size(), 126u);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 7), 1);
    auto at = [&](int c, int r) { return (c < 0 || c >= 14 || r < 0 || r >= 9) ? -1 : codes[size_t(r * 14 + c)]; };
    int start = -1;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 14; ++c) {
            SCOPED_TRACE("cell " + std::to_string(c) + "," + std::to_string(r));
            const int code = at(c, r);
            EXPECT_TRUE(code >= 0 && code <= 7);
            if (code == 7) start = r * 14 + c;
            // A duct runs to a side exactly when the neighbour there runs back to it.
            const Sides me = DuctSides(code);
            EXPECT_EQ(me.left, DuctSides(at(c - 1, r)).right);
            EXPECT_EQ(me.right, DuctSides(at(c + 1, r)).left);
            EXPECT_EQ(me.up, DuctSides(at(c, r - 1)).down);
            EXPECT_EQ(me.down, DuctSides(at(c, r + 1)).up);
        }
    }
    // Every open cell can be walked to from the start.
    ASSERT_GE(start, 0);
    std::vector<bool> reached(126, false);
    std::vector<int> frontier{start};
    reached[size_t(start)] = true;
    while (!frontier.empty()) {
        const int slot = frontier.back();
        frontier.pop_back();
        const int c = slot % 14, r = slot / 14;
        for (auto [dc, dr] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const int code = at(c + dc, r + dr), next = (r + dr) * 14 + c + dc;
            if ((code == 0 || code == 7) && !reached[size_t(next)]) {
                reached[size_t(next)] = true;
                frontier.push_back(next);
            }
        }
    }
    for (int slot = 0; slot < 126; ++slot) {
        if (codes[size_t(slot)] == 0) {
            EXPECT_TRUE(reached[size_t(slot)]) << "unreachable cell " << slot;
        }
    }
}

TEST(ShippedContent, KeyMappingsBindKnownKeysWithoutClashes) {
    pt::ptree mappings;
    pt::read_json((fs::path(GAME_SOURCE_DIR) / "Content/Config/KeyMappings.json").string(), mappings);
    std::map<Key, std::string> owner;
    std::set<std::string> actions;
    for (const auto& [action, value] : mappings) {
        const std::string keyName = value.get_value<std::string>();
        SCOPED_TRACE(action + ": " + keyName);
        ASSERT_TRUE(ActionFromName(action).has_value());
        const Key key = KeyFromName(keyName);
        ASSERT_NE(key, Key::None);
        EXPECT_TRUE(owner.emplace(key, action).second || owner[key] == action) << "bound to two actions";
        // The editor's save, undo and redo chords use Ctrl with S, Z and Y.
        for (Key reserved : {Key::Ctrl, Key::S, Key::Z, Key::Y}) EXPECT_NE(key, reserved);
        actions.insert(action);
    }
    EXPECT_EQ(actions.size(), 9u) << "every action has a key";
}

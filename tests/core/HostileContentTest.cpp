#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <boost/filesystem/operations.hpp>
#include <functional>
#include <string>

#include "audio/AudioSystem.hpp"
#include "audio/AudioTestSupport.hpp"
#include "audio/MusicManager.hpp"
#include "audio/SoundManager.hpp"
#include "audio/StreamDecoder.hpp"
#include "core/ContentText.hpp"
#include "core/ErrorReport.hpp"
#include "core/SdlHandles.hpp"
#include "core/Services.hpp"
#include "gameplay/LevelFiles.hpp"
#include "graphics/FontManager.hpp"
#include "graphics/TextureManager.hpp"
#include "input/KeyMappings.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TestPictures.hpp"

namespace {

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xffffffffu;
    for (const unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = char(value >> (8 * (3 - i)));
}

// A 4 × 4 palette PNG whose header, checksum intact, claims 60000 × 60000: decoded first, it
// takes gigabytes and many seconds before it fails.
std::string HugeHeaderPng(const TempContent& content) {
    SurfacePtr small(SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 8, SDL_PIXELFORMAT_INDEX8));
    EXPECT_EQ(IMG_SavePNG(small.get(), "small.png"), 0) << IMG_GetError();
    std::string png = content.Read("small.png");
    PutBigEndian(png, 16, 60000);
    PutBigEndian(png, 20, 60000);
    PutBigEndian(png, 29, Crc32(png.substr(12, 17)));
    return png;
}

constexpr int flacFrames = 5000;

// A mono FLAC of a ramp (every frame a different level) whose STREAMINFO then claims `total`
// frames (36 bits; 0 means unknown).
std::string FlacClaiming(const TempContent& content, uint64_t total) {
    std::vector<float> ramp(flacFrames);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = float(i + 1) / 8192.0f;
    audiotest::WriteSound(content.path() / "ramp.flac", ramp, 8000, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    std::string flac = content.Read("ramp.flac");
    flac[21] = char((uint8_t(flac[21]) & 0xf0) | (total >> 32));
    PutBigEndian(flac, 22, uint32_t(total));
    return flac;
}

std::string FontWithGlyphAt(int32_t x) {
    return "<font><info spacing=\"1,1\"/><common lineHeight=\"10\"/><pages><page id=\"0\" file=\"page.png\"/>"
           "</pages><chars><char id=\"65\" x=\"" +
           std::to_string(x) +
           "\" y=\"0\" width=\"4\" height=\"4\" xoffset=\"0\" yoffset=\"0\" xadvance=\"5\"/></chars></font>";
}

// What loading gives: the loader's own answer, or the one line an error shows the user.
std::string Outcome(const std::function<std::string()>& load) {
    try {
        return load();
    } catch (const std::exception& e) {
        return DescribeFatalError(e);
    }
}

// Files made to break a loader (nesting that overflows a recursive reader, headers that claim
// far more than the file holds, a glyph whose rectangle overflows) are refused with one line
// naming the file, or skipped, or loaded for what they really are.
TEST(HostileContent, EachFileIsRefusedOrLoadedWithoutCrashOrHang) {
    TempContent content;
    HeadlessScreen screen;
    SoundManager sound;
    Services::sound = &sound;
    WritePng("Content/Fonts/Main/page.png", 16, 16, Color{});
    const std::string deepJson = std::string(100000, '[');
    const auto loaded = [](const std::function<void()>& load) {
        return [load] {
            load();
            return std::string("loaded");
        };
    };
    const auto clip = [&sound](const std::string& path) {
        return [&sound, path] {
            const AudioClip* made = sound.system->CreateClip(path, ClipMode::Memory);
            return made ? "a sound of " + std::to_string(made->sourceFrames()) + " frames" : "not a sound";
        };
    };
    const std::string tooDeep = ": nested too deep (more than 256 levels)";
    const std::string whole = FlacClaiming(content, flacFrames);
    const struct {
        std::string file, bytes;
        std::function<std::string()> load;
        std::string outcome;
    } rows[] = {
        {"Content/Config/KeyMappings.json", deepJson,
         loaded([] { LoadKeyMappings("Content/Config/KeyMappings.json"); }),
         "Content/Config/KeyMappings.json" + tooDeep},
        {"Content/Levels/Deep.json", deepJson, loaded([] { LoadLevels(); }),
         "Content/Levels/Deep.json" + tooDeep},
        {"Content/Sound/Main/Click.json", deepJson, loaded([] { SoundManager::LoadBank("Main"); }),
         "Content/Sound/Main/Click.json" + tooDeep},
        {"Content/Music/Theme.json", deepJson, loaded([] { MusicManager music; }),
         "Content/Music/Theme.json" + tooDeep},
        {"Content/Fonts/Main/Deep.fnt", "<font>" + Repeat("<a>", 300000),
         loaded([] { LoadFont("Content/Fonts/Main/Deep.fnt"); }), "Content/Fonts/Main/Deep.fnt" + tooDeep},
        {"Content/Fonts/Main/Wide.fnt", FontWithGlyphAt(2147483647),
         loaded([] { LoadFont("Content/Fonts/Main/Wide.fnt"); }),
         "Content/Fonts/Main/Wide.fnt: the \"char\" element of id 65 (x 2147483647, y 0, width 4, "
         "height 4) lies outside its page (16 x 16)"},
        {"huge.png", HugeHeaderPng(content),
         [] { return LoadTextureFromFile("huge.png") ? "a texture" : "no texture"; }, "no texture"},
        {"claims.flac", FlacClaiming(content, (uint64_t(1) << 36) - 1), clip("claims.flac"),
         "a sound of 5000 frames"},
        {"unknown.flac", FlacClaiming(content, 0), clip("unknown.flac"), "a sound of 5000 frames"},
        {"cut.flac", whole.substr(0, whole.size() / 2), clip("cut.flac"), "not a sound"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        content.Write(row.file, row.bytes);
        EXPECT_EQ(Outcome(row.load), row.outcome);
        boost::filesystem::remove(row.file);
    }
    // No header's claim was given memory: the picture decoded at its claimed size alone takes 3.4 GiB.
    rusage usage{};
    ASSERT_EQ(getrusage(RUSAGE_SELF, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, 1L << 20) << "peak memory in KiB";
    // The same font with its glyph on the page loads: only where the glyph lies was wrong.
    content.Write("Content/Fonts/Main/Fits.fnt", FontWithGlyphAt(12));
    EXPECT_EQ(LoadFont("Content/Fonts/Main/Fits.fnt")->GetGlyph(65).x, 12);
    ClearLevels();
    Services::sound = nullptr;
}

// The scanners follow what the readers nest, and nothing they only read as text.
TEST(HostileContent, NestingCountsWhatTheReadersNest) {
    const std::pair<std::string, int> json[] = {
        {R"({"a": [1, {"b": []}], "c": {}})", 4},
        {R"(["[[{", "\"[[", "\\"])", 1},
        {"]]][[", 2},
    };
    for (const auto& [text, depth] : json) EXPECT_EQ(JsonNestingDepth(text), depth) << text;
    const std::pair<std::string, int> xml[] = {
        {R"(<?xml version="1.0"?><a><b/><c x="1"><d></d></c></a>)", 3},
        {"<a><!-- <b><c> --><![CDATA[<b><c>]]><?pi <b> ?></a>", 1},
        {R"(<a x="<b>" y='/>'><c/></a>)", 2},
        {R"(<!DOCTYPE a [<!ENTITY e "<b>">]><a/>)", 1},
        // The reader ends a DOCTYPE at "]>" and takes quotes in names as name characters.
        {"<!DOCTYPE a [ <!ELEMENT a ANY> <!-- ]> <a><b></b></a> -->", 2},
        {R"(<a"><b x"y="1"><c z='"'>)", 3},
    };
    for (const auto& [text, depth] : xml) EXPECT_EQ(XmlNestingDepth(text), depth) << text;
}

// With no length in its header the stream learns where the file ends, and loops inside it.
TEST(HostileContent, AFileOfUnknownLengthStreamsItsLoop) {
    TempContent content;
    content.Write("unknown.flac", FlacClaiming(content, 0));
    std::vector<float> file(flacFrames);
    ASSERT_EQ(SoundFile::Open("unknown.flac")->Read(file.data(), flacFrames), flacFrames);
    StreamDecoder stream(SoundFile::Open("unknown.flac"), 1, 8000, 2 * flacFrames);
    stream.Restart(LoopSettings{1, 1000, 2999});
    std::vector<float> heard(2 * flacFrames);
    heard.resize(size_t(stream.Read(heard.data(), int64_t(heard.size()))));
    EXPECT_TRUE(stream.Drained());
    std::vector<float> expected(file.begin(), file.begin() + 3000);
    expected.insert(expected.end(), file.begin() + 1000, file.end());
    EXPECT_EQ(heard, expected);
}

}  // namespace

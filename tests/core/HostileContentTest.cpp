#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <boost/filesystem/operations.hpp>
#include <cmath>
#include <functional>
#include <string>

#include "audio/AudioSystem.hpp"
#include "audio/AudioTestSupport.hpp"
#include "audio/MusicManager.hpp"
#include "audio/SoundManager.hpp"
#include "core/ContentText.hpp"
#include "core/ErrorReport.hpp"
#include "core/Services.hpp"
#include "gameplay/LevelFiles.hpp"
#include "graphics/FontManager.hpp"
#include "graphics/TextureManager.hpp"
#include "input/KeyMappings.hpp"
#include "platform/SdlHandles.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TestPictures.hpp"

namespace {

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

// A mono FLAC of `flacFrames` frames whose STREAMINFO then claims `total` frames (36 bits;
// 0 means unknown, as an encoder writing to a pipe leaves it).
std::string FlacClaiming(const TempContent& content, uint64_t total) {
    std::vector<float> tone(flacFrames);  // not a constant, which would pack into a few bytes
    for (size_t i = 0; i < tone.size(); ++i) tone[i] = 0.5f * std::sin(0.05f * float(i));
    audiotest::WriteSound(content.path() / "made.flac", tone, 8000, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    std::string flac = content.Read("made.flac");
    flac[21] = char((uint8_t(flac[21]) & 0xf0) | (total >> 32));
    PutBigEndian(flac, 22, uint32_t(total));
    return flac;
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
    const auto clip = [&sound](const char* path) {
        return [&sound, path] {
            const AudioClip* made = sound.system->CreateClip(path, ClipMode::Memory);
            return made ? "a sound of " + std::to_string(made->sourceFrames()) + " frames" : "not a sound";
        };
    };
    const std::string deepJson(100000, '['), tooDeep = ": nested too deep (more than 256 levels)";
    std::string deepFont = "<font>";
    for (int i = 0; i < 300000; ++i) deepFont += "<a>";
    const std::string flac = FlacClaiming(content, flacFrames);
    const struct {
        std::string file, bytes;
        std::function<std::string()> load;
        std::string outcome;
    } rows[] = {
        {"Content/Config/KeyMappings.json", deepJson,
         [] { return LoadKeyMappings("Content/Config/KeyMappings.json"), "loaded"; },
         "Content/Config/KeyMappings.json" + tooDeep},
        {"Content/Levels/Deep.json", deepJson, [] { return LoadLevels(), "loaded"; },
         "Content/Levels/Deep.json" + tooDeep},
        {"Content/Sound/Main/Click.json", deepJson, [] { return SoundManager::LoadBank("Main"), "loaded"; },
         "Content/Sound/Main/Click.json" + tooDeep},
        {"Content/Music/Theme.json", deepJson, [] { return MusicManager(), "loaded"; },
         "Content/Music/Theme.json" + tooDeep},
        {"Content/Fonts/Main/Deep.fnt", deepFont,
         [] { return LoadFont("Content/Fonts/Main/Deep.fnt"), "loaded"; },
         "Content/Fonts/Main/Deep.fnt" + tooDeep},
        {"Content/Fonts/Main/Wide.fnt",
         R"(<font><info spacing="1,1"/><common lineHeight="10"/><pages><page file="page.png"/></pages><chars>
            <char id="65" x="2147483647" y="0" width="4" height="4" xoffset="0" yoffset="0" xadvance="5"/>
            </chars></font>)",
         [] { return LoadFont("Content/Fonts/Main/Wide.fnt"), "loaded"; },
         "Content/Fonts/Main/Wide.fnt: the \"char\" element of id 65 (x 2147483647, y 0, width 4, height 4) "
         "lies outside its page (16 x 16)"},
        {"huge.png", HugeHeaderPng(content),
         [] { return LoadTextureFromFile("huge.png") ? "a texture" : "no texture"; }, "no texture"},
        {"claims.flac", FlacClaiming(content, (uint64_t(1) << 36) - 1), clip("claims.flac"),
         "a sound of 5000 frames"},
        {"unknown.flac", FlacClaiming(content, 0), clip("unknown.flac"), "a sound of 5000 frames"},
        {"cut.flac", flac.substr(0, flac.size() / 2), clip("cut.flac"), "not a sound"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        content.Write(row.file, row.bytes);
        std::string outcome;
        try {
            outcome = row.load();
        } catch (const std::exception& e) {
            outcome = DescribeFatalError(e);  // the one line the user would see
        }
        EXPECT_EQ(outcome, row.outcome);
        boost::filesystem::remove(row.file);
    }
    // No header's claim was given memory: the picture decoded at its claimed size alone takes 3.4 GiB.
    rusage usage{};
    ASSERT_EQ(getrusage(RUSAGE_SELF, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, 1L << 20) << "peak memory in KiB";
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
        {"<a></a><b></b><c></c>", 1},
        {R"(<!DOCTYPE a [<!ENTITY e "<b>">]><a/>)", 1},
        // The reader ends a DOCTYPE at "]>" and takes quotes in names as name characters.
        {"<!DOCTYPE a [ <!ELEMENT a ANY> <!-- ]> <a><b></b></a> -->", 2},
        {R"(<a"><b x"y="1"><c z='"'>)", 3},
    };
    for (const auto& [text, depth] : xml) EXPECT_EQ(XmlNestingDepth(text), depth) << text;
}

}  // namespace

// contentgen <Content folder>: writes every generated picture, font and sound of the game.
// contentgen --preview <out.png> <Content folder> [--editor]: draws the game's first frame.
// contentgen --icons <folder>: writes the game's icons as <folder>/<N>x<N>/apps/glimmerduct.png.
#include <SDL.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "AudioFile.hpp"
#include "ClickSound.hpp"
#include "CreatureArt.hpp"
#include "DuctArt.hpp"
#include "ExitArt.hpp"
#include "FinishSound.hpp"
#include "Preview.hpp"
#include "ThemeMusic.hpp"
#include "TitleFont.hpp"

namespace fs = std::filesystem;

namespace {

const char* const FontFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const FontLicence = "/usr/share/doc/fonts-dejavu-core/copyright";
constexpr int TitleSize = 19;

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) throw std::runtime_error(path.string() + ": cannot write");
}

void WriteTextures(const fs::path& folder) {
    fs::create_directories(folder);
    DrawFloor().SavePng((folder / "GutBackground.png").string());
    const std::pair<DuctShape, const char*> ducts[] = {
        {DuctShape::Horizontal, "GutHorizontal"}, {DuctShape::Vertical, "GutVertical"},
        {DuctShape::TopLeft, "GutTopLeft"},       {DuctShape::TopRight, "GutTopRight"},
        {DuctShape::BottomLeft, "GutBottomLeft"}, {DuctShape::BottomRight, "GutBottomRight"}};
    for (const auto& [shape, name] : ducts) DrawDuct(shape).SavePng((folder / (std::string(name) + ".png")).string());
    DrawExit().SavePng((folder / "GutExit.png").string());
    const std::pair<CreatureFrame, const char*> frames[] = {
        {CreatureFrame::Pose, "TorvelPose"},       {CreatureFrame::Woosh1, "TorvelWoosh1"},
        {CreatureFrame::Woosh1a, "TorvelWoosh1a"}, {CreatureFrame::Woosh2, "TorvelWoosh2"},
        {CreatureFrame::Woosh2a, "TorvelWoosh2a"}};
    for (const auto& [frame, name] : frames)
        DrawCreature(frame).SavePng((folder / (std::string(name) + ".png")).string());
}

void WriteFont(const fs::path& folder) {
    fs::create_directories(folder);
    BakeFont(FontFace, TitleSize, folder.string(), "Title");
    fs::copy_file(FontLicence, folder / "LICENSE-DejaVu.txt", fs::copy_options::overwrite_existing);
}

void WriteSounds(const fs::path& folder) {
    fs::create_directories(folder);
    std::ostringstream cue;
    cue << "{\n    \"LayerMode\": \"Randomized\",\n    \"Layers\": [\n";
    for (int i = 0; i < 4; ++i) {
        const std::string name = "Click" + std::to_string(i + 1);
        WriteAudio((folder / (name + ".wav")).string(), false, 1, SynthesiseClick(i));
        cue << "        {\"Sound\": \"" << name << "\", \"Volume\": 0.8}" << (i < 3 ? "," : "") << "\n";
    }
    cue << "    ]\n}\n";
    WriteText(folder / "Click.json", cue.str());
    WriteAudio((folder / "Finish.wav").string(), false, 1, SynthesiseFinish());
    WriteText(folder / "Finish.json", "{\n    \"Layers\": [\n        {\"Sound\": \"Finish\", \"Volume\": 0.9}\n    ]\n}\n");
}

void WriteMusic(const fs::path& folder) {
    fs::create_directories(folder);
    const ThemeTrack theme = ComposeTheme();
    WriteAudio((folder / "TorvelTheme.flac").string(), true, 2, theme.samples);
    WriteText(folder / "TorvelTheme.json", "{\"LoopStartSample\": " + std::to_string(theme.loopStart) +
                                               ", \"LoopEndSample\": " + std::to_string(theme.loopEnd) + "}\n");
}

void WriteIcons(const fs::path& folder) {
    for (const int side : {64, 256}) {
        const fs::path apps = folder / (std::to_string(side) + "x" + std::to_string(side)) / "apps";
        fs::create_directories(apps);
        DrawCreatureIcon(side).SavePng((apps / "glimmerduct.png").string());
    }
}

int Usage() {
    std::cerr << "usage: contentgen <Content folder>\n"
                 "       contentgen --preview <out.png> <Content folder> [--editor]\n"
                 "       contentgen --icons <folder>\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc >= 4 && std::string(argv[1]) == "--preview") {
            RenderPreview(argv[3], argv[2], argc >= 5 && std::string(argv[4]) == "--editor");
            return 0;
        }
        if (argc == 3 && std::string(argv[1]) == "--icons") {
            WriteIcons(argv[2]);
            return 0;
        }
        if (argc != 2 || argv[1][0] == '-') return Usage();
        const fs::path content = argv[1];
        WriteTextures(content / "Textures" / "Main");
        WriteFont(content / "Fonts" / "Main");
        WriteSounds(content / "Sound" / "Main");
        WriteMusic(content / "Music");
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "contentgen: " << e.what() << "\n";
        return 1;
    }
}

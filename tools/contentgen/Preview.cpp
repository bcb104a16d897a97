#include "Preview.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace pt = boost::property_tree;

namespace {

struct SdlDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};
template <class T>
using Owned = std::unique_ptr<T, SdlDeleter>;

const char* const TileTextures[9] = {"GutBackground", "GutHorizontal",  "GutVertical",
                                     "GutTopLeft",    "GutTopRight",    "GutBottomLeft",
                                     "GutBottomRight", "GutBackground", "GutExit"};

class Painter {
public:
    explicit Painter(const std::string& content) : content_(content) {
        target_.reset(SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_ARGB8888));
        if (!target_) throw std::runtime_error(SDL_GetError());
        renderer_.reset(SDL_CreateSoftwareRenderer(target_.get()));
        if (!renderer_) throw std::runtime_error(SDL_GetError());
    }

    SDL_Texture* Texture(const std::string& file) {
        auto& slot = textures_[file];
        if (!slot) {
            Owned<SDL_Surface> surface(IMG_Load((content_ + "/" + file).c_str()));
            if (!surface) throw std::runtime_error(file + ": " + IMG_GetError());
            slot.reset(SDL_CreateTextureFromSurface(renderer_.get(), surface.get()));
            SDL_SetTextureBlendMode(slot.get(), SDL_BLENDMODE_BLEND);
        }
        return slot.get();
    }

    // Centred on (x, y) at `scale` of 64 x 64, as the game's sprites are.
    void Sprite(const std::string& name, float x, float y, float scale = 1.0f) {
        const int side = int(64 * scale);
        SDL_Rect to{int(x) - side / 2, int(y) - side / 2, side, side};
        SDL_RenderCopy(renderer_.get(), Texture("Textures/Main/" + name + ".png"), nullptr, &to);
    }

    void Text(const std::string& text, float x, float y) {
        pt::ptree font;
        pt::read_xml(content_ + "/Fonts/Main/Title.fnt", font);
        std::map<int, pt::ptree> glyphs;
        for (const auto& [name, child] : font.get_child("font.chars"))
            if (name == "char") glyphs[child.get<int>("<xmlattr>.id")] = child.get_child("<xmlattr>");
        std::map<std::pair<int, int>, int> kerning;
        for (const auto& [name, child] : font.get_child("font.kernings")) {
            if (name != "kerning") continue;
            kerning.emplace(std::make_pair(child.get<int>("<xmlattr>.first"), child.get<int>("<xmlattr>.second")),
                            child.get<int>("<xmlattr>.amount"));
        }
        SDL_Texture* page = Texture("Fonts/Main/" + font.get<std::string>("font.pages.page.<xmlattr>.file"));
        SDL_SetTextureColorMod(page, 255, 222, 230);
        int previous = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            const int code = text[i];
            if (i > 0 && kerning.count({previous, code})) x += float(kerning[{previous, code}]);
            const pt::ptree& g = glyphs[code];
            SDL_Rect from{g.get<int>("x", 0), g.get<int>("y", 0), g.get<int>("width", 0), g.get<int>("height", 0)};
            SDL_Rect to{int(x) + g.get<int>("xoffset", 0), int(y) + g.get<int>("yoffset", 0), from.w, from.h};
            SDL_RenderCopy(renderer_.get(), page, &from, &to);
            x += float(g.get<int>("xadvance", 0));
            previous = code;
        }
    }

    void Clear(Uint8 r, Uint8 g, Uint8 b) {
        SDL_SetRenderDrawColor(renderer_.get(), r, g, b, 255);
        SDL_RenderClear(renderer_.get());
    }

    void Save(const std::string& output) {
        SDL_RenderPresent(renderer_.get());
        if (IMG_SavePNG(target_.get(), output.c_str()) != 0) throw std::runtime_error(output + ": " + IMG_GetError());
    }

private:
    std::string content_;
    Owned<SDL_Surface> target_;
    Owned<SDL_Renderer> renderer_;
    std::map<std::string, Owned<SDL_Texture>> textures_;
};

std::vector<int> ReadLevel(const std::string& path) {
    pt::ptree level;
    pt::read_json(path, level);
    std::vector<int> codes;
    std::stringstream list(level.get<std::string>("Tiles"));
    for (std::string piece; std::getline(list, piece, ',');) codes.push_back(std::stoi(piece));
    codes.resize(126);
    return codes;
}

}  // namespace

void RenderPreview(const std::string& contentFolder, const std::string& output, bool editor) {
    Painter painter(contentFolder);
    const std::vector<int> codes = ReadLevel(contentFolder + "/Levels/Maze.json");
    if (editor) {
        painter.Clear(255, 0, 0);
    } else {
        painter.Clear(152, 66, 86);
    }
    auto centreX = [](int column) { return -48.0f + 32.0f + 64.0f * float(column); };
    auto centreY = [](int row) { return 32.0f + 64.0f * float(row); };
    int startColumn = 2, startRow = 1;
    for (int slot = 0; slot < 126; ++slot) {
        const int code = codes[size_t(slot)];
        painter.Sprite(code >= 0 && code < 9 ? TileTextures[code] : "GutBackground", centreX(slot % 14), centreY(slot / 14));
        if (code == 7) startColumn = slot % 14, startRow = slot / 14;
    }
    painter.Text("TORVEL: Glimmerduct", 10, 577);
    painter.Sprite(editor ? "TorvelWoosh2a" : "TorvelPose", centreX(startColumn), centreY(startRow));
    if (editor) painter.Sprite("GutTopLeft", centreX(12), centreY(8), 0.5f);
    painter.Save(output);
}

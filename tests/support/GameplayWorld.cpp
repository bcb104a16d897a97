#include "support/GameplayWorld.hpp"


#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/Player.hpp"
#include "gameplay/PlayerBehavior.hpp"
#include "input/InputManager.hpp"
#include "scene/DrawObject.hpp"
#include "support/AudioProbe.hpp"
#include "support/TestPictures.hpp"

namespace {

const char* const keyMappings = R"({
    "MoveUp": "Up", "MoveDown": "Down", "MoveLeft": "Left", "MoveRight": "Right",
    "EditorToggle": "E", "EditorPlaceTile": "LeftMouse", "EditorCopyTile": "RightMouse",
    "EditorNextTile": "N", "EditorPreviousTile": "P"
})";

std::string LevelJson(const LevelCodes& codes) {
    LevelData level;
    level.tiles = codes;
    boost::property_tree::ptree tree;
    level.WriteTo(tree);
    std::ostringstream text;
    boost::property_tree::write_json(text, tree, true);
    return text.str();
}

}  // namespace

// The registry may be gone by now (the game destroys its platform last): only the handles.
SoftwarePlatform::~SoftwarePlatform() {
    batch_.reset();
    renderer_.reset();
    surface_.reset();
}

void SoftwarePlatform::CreateWindowAndDevice() {
    FakePlatform::CreateWindowAndDevice();
    surface_.reset(SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!surface_) throw std::runtime_error(SDL_GetError());
    renderer_.reset(SDL_CreateSoftwareRenderer(surface_.get()));
    if (!renderer_) throw std::runtime_error(SDL_GetError());
    Services::settings->device = renderer_.get();
    if (drawsScene_) {
        batch_ = std::make_unique<SdlSpriteBatch>(renderer_.get());
        Services::settings->spriteBatch = batch_.get();
    }
}

void SoftwarePlatform::RenderFrame() {
    FakePlatform::RenderFrame();
    if (!drawsScene_ || !batch_) return;
    const Color c = Services::settings->clearColor;
    SDL_SetRenderDrawColor(renderer_.get(), c.r, c.g, c.b, c.a);
    SDL_RenderClear(renderer_.get());
    if (Services::root) DrawScene(*Services::root, *batch_);
    SDL_RenderPresent(renderer_.get());
}

Color SoftwarePlatform::Pixel(int x, int y) const {
    if (!surface_ || x < 0 || y < 0 || x >= surface_->w || y >= surface_->h) {
        throw std::out_of_range("no such pixel");
    }
    const auto* row = static_cast<const uint8_t*>(surface_->pixels) + y * surface_->pitch;
    uint32_t argb = 0;
    std::memcpy(&argb, row + 4 * x, 4);
    return Color{uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb), uint8_t(argb >> 24)};
}

void SoftwarePlatform::ReleaseDevice() {
    if (renderer_) FakePlatform::ReleaseDevice();
    Services::settings->spriteBatch = nullptr;
    Services::settings->device = nullptr;
    batch_.reset();
    renderer_.reset();
    surface_.reset();
}

GameplayWorld::GameplayWorld(std::vector<LevelFile> levels, bool start) {
    content.Write("Content/Config/KeyMappings.json", keyMappings);
    const boost::filesystem::path pictures = content.path() / "Content/Textures/Main";
    uint8_t shade = 0;
    for (const char* name :
         {"GutBackground", "GutHorizontal", "GutVertical", "GutTopLeft", "GutTopRight", "GutBottomLeft",
          "GutBottomRight", "TorvelWoosh1", "TorvelWoosh1a", "TorvelWoosh2", "TorvelWoosh2a"}) {
        shade = uint8_t(shade + 20);
        WritePng((pictures / (std::string(name) + ".png")).string(), 64, 64, Color{shade, uint8_t(255 - shade), 128, 255});
    }
    WritePng((pictures / "TorvelPose.png").string(), 32, 48, Color{250, 5, 128, 255});
    for (const LevelFile& level : levels)
        content.Write("Content/Levels/" + level.fileName, LevelJson(level.codes));

    WriteAudioProbeContent();
    auto owned = std::make_unique<SoftwarePlatform>();
    platform = owned.get();
    game = std::make_unique<Game>(std::move(owned));
    game->StartUp();
    ClearAudioLog();
    if (start) RunFrames(1);
}

GameplayWorld::~GameplayWorld() {
    // Textures go before the renderer that made them.
    game->ShutDown();
    game.reset();
}

void GameplayWorld::RunFrames(int count, const std::function<void(int)>& script) {
    struct Unhook {
        FakePlatform& p;
        ~Unhook() { p.onFrame = nullptr; }
    } unhook{*platform};
    const int first = platform->frames;
    platform->quitAfterFrames = first + count;
    platform->onFrame = [&](int frame) {
        if (script) script(frame - first);
    };
    game->RunLoop();
}

void GameplayWorld::Tap(Key key) {
    RunFrames(2, [key](int n) { Services::input->SetKey(key, n == 1); });
}

void GameplayWorld::Mouse(Vector2 position, bool place, bool copy) {
    Services::input->PollMouse(position, place, false, copy);
}

BackgroundTile& GameplayWorld::Tile(int32_t column, int32_t row) {
    return *gameplayState.tiles[size_t(SlotOf({column, row}))];
}

PlayerBehavior& GameplayWorld::PlayerMotion() { return *gameplayState.player->behavior; }

#include "support/GameplayWorld.hpp"

#include <boost/property_tree/json_parser.hpp>
#include <sstream>

#include "audio/AudioTestSupport.hpp"
#include "audio/SoundBank.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayScreenBehavior.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/Player.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"
#include "support/TestPictures.hpp"

namespace {

constexpr int clickLayers = 64;

Cue& ClickCue() { return *Services::sound->banks.at("Main")->cues.at("Click"); }

}  // namespace

void SoftwarePlatform::CreateWindowAndDevice() {
    surface_.reset(
        SdlCheck(SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_ARGB8888), "surface"));
    renderer_.reset(SdlCheck(SDL_CreateSoftwareRenderer(surface_.get()), "renderer"));
    Services::settings->device = renderer_.get();
}

void SoftwarePlatform::ReleaseDevice() {
    Services::settings->device = nullptr;
    renderer_.reset();
}

std::string LevelJson(const LevelCodes& codes) {
    LevelData level;
    level.tiles = codes;
    boost::property_tree::ptree tree;
    level.WriteTo(tree);
    std::ostringstream text;
    boost::property_tree::write_json(text, tree, true);
    return text.str();
}

LevelFile GameplayWorld::Level(std::initializer_list<std::pair<GridCell, int32_t>> cells, std::string file) {
    LevelFile level{std::move(file), {}};
    for (const auto& [cell, code] : cells) level.codes[size_t(SlotOf(cell))] = code;
    return level;
}

GameplayWorld::GameplayWorld(std::vector<LevelFile> levels, bool start) {
    content.Write("Content/Config/KeyMappings.json", R"({
        "MoveUp": "Up", "MoveDown": "Down", "MoveLeft": "Left", "MoveRight": "Right",
        "EditorToggle": "E", "EditorPlaceTile": "LeftMouse", "EditorCopyTile": "RightMouse",
        "EditorNextTile": "N", "EditorPreviousTile": "P",
        "Restart": "R", "LevelList": "L", "Confirm": "OemEnter", "Back": "Esc"})");
    uint8_t shade = 0;
    for (const char* name :
         {"GutBackground", "GutHorizontal", "GutVertical", "GutTopLeft", "GutTopRight", "GutBottomLeft",
          "GutBottomRight", "TorvelWoosh1", "TorvelWoosh1a", "TorvelWoosh2", "TorvelWoosh2a", "GutExit"}) {
        shade = uint8_t(shade + 20);
        WritePng(std::string("Content/Textures/Main/") + name + ".png", 64, 64, Color{shade, 0, 128, 255});
    }
    WritePng("Content/Textures/Main/TorvelPose.png", 32, 48, Color{250, 5, 128, 255});
    for (const LevelFile& level : levels) content.Write("Content/Levels/" + level.fileName, LevelJson(level.codes));
    // A Sequential cue of many layers: where it stands counts the plays.
    audiotest::WriteSound(content.path() / "Content/Sound/Main/Tick.wav", audiotest::Level(0.03f, 64), 44100);
    std::string layers = R"({"Sound": "Tick"})";
    for (int i = 1; i < clickLayers; ++i) layers += R"(, {"Sound": "Tick"})";
    content.Write("Content/Sound/Main/Click.json",
                  R"({"LayerMode": "Sequential", "Layers": [)" + layers + "]}");
    audiotest::WriteSound(content.path() / "Content/Music/TorvelTheme.wav", audiotest::Level(0.03f, 1500),
                          44100);

    Start(start);
}

void GameplayWorld::Start(bool firstFrame) {
    auto owned = std::make_unique<SoftwarePlatform>();
    platform = owned.get();
    game = std::make_unique<Game>(std::move(owned));
    game->StartUp();
    if (firstFrame) RunFrames(1);
    ClearClicks();
}

void GameplayWorld::Restart() {
    game->ShutDown();
    game.reset();
    Start(true);
}

GameplayWorld::~GameplayWorld() {
    game->ShutDown();  // textures go before the renderer that made them
    game.reset();
}

void GameplayWorld::RunFrames(int count, const std::function<void(int)>& script) {
    const int first = platform->frames;
    platform->quitAfterFrames = first + count;
    platform->onFrame = [&](int frame) {
        if (script) script(frame - first);
    };
    game->RunLoop();
    platform->onFrame = nullptr;
    if (gameplayState.tiles[0]) Levels().recovery().Finish();
}

void GameplayWorld::Press(std::initializer_list<Key> keys) {
    RunFrames(2, [keys](int n) {
        for (Key key : keys) Services::input->SetKey(key, n == 1);
    });
}

void GameplayWorld::Paint(const std::vector<GridCell>& cells) {
    RunFrames(int(cells.size()) + 1, [&cells](int n) {
        const bool held = size_t(n) <= cells.size();
        const GridCell at = cells[held ? size_t(n - 1) : cells.size() - 1];
        Mouse(GridToWorld(at.column, at.row), held, false);
    });
}

void GameplayWorld::Copy(GridCell cell) {
    RunFrames(2, [cell](int n) { Mouse(GridToWorld(cell.column, cell.row), false, n == 1); });
}

void GameplayWorld::Mouse(Vector2 position, bool place, bool copy) {
    Services::input->PollMouse(position, place, false, copy);
}

BackgroundTile& GameplayWorld::Tile(int32_t column, int32_t row) {
    return *gameplayState.tiles[size_t(SlotOf({column, row}))];
}

LevelSet& GameplayWorld::Levels() {
    for (const auto& child : Services::root->children) {
        for (Behavior* behavior : child->behaviors) {
            if (auto* screen = dynamic_cast<GameplayScreenBehavior*>(behavior)) return screen->levels();
        }
    }
    throw std::logic_error("no gameplay screen");
}

void GameplayWorld::SetCode(GridCell cell, int32_t code) {
    Levels().Paint(cell, code);
    Levels().EndStroke();
}

LevelCodes GameplayWorld::Shown() {
    LevelCodes codes{};
    for (size_t slot = 0; slot < codes.size(); ++slot) codes[slot] = gameplayState.tiles[slot]->kind;
    return codes;
}

LevelCodes ReadLevelCodes(const std::string& file) {
    boost::property_tree::ptree tree;
    boost::property_tree::read_json(file, tree);
    LevelData level;
    level.ReadFrom(tree);
    return level.tiles;
}

LevelCodes GameplayWorld::Saved(const std::string& file) const {
    return ReadLevelCodes((content.path() / "Content/Levels" / file).string());
}

Vector2 GameplayWorld::PlayerAt() { return gameplayState.player->pos2d->position; }

int GameplayWorld::Clicks() { return ClickCue().nextLayer; }

void GameplayWorld::ClearClicks() { ClickCue().nextLayer = 0; }

#include "gameplay/GameplayScreen.hpp"

#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayScreenBehavior.hpp"
#include "gameplay/EditorMarks.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/HelpCard.hpp"
#include "gameplay/FinishCard.hpp"
#include "gameplay/Grid.hpp"
#include "gameplay/LevelListPanel.hpp"
#include "gameplay/Menu.hpp"
#include "gameplay/MessagePanel.hpp"
#include "gameplay/Player.hpp"
#include "graphics/FontManager.hpp"
#include "scene/TextComponent.hpp"
#include "graphics/TextureManager.hpp"
#include "scene/Component.hpp"

namespace {

void AddTitle(GameObject& screen) {
    auto* title = new GameObject();
    TextComponent* text = title->AddComponent(new TextComponent());
    text->font = Services::fonts->GetFont("Title");  // without it the line is simply not drawn
    text->text = "TORVEL: Glimmerduct";
    text->color = Color{255, 222, 230, 255};
    title->AddComponent(new Pos2dComponent())->position = Vector2(10.0f, 577.0f);  // below row 8
    gameplayState.title = screen.AddChild(title);
}

// Hidden until there is a level to name; the behaviour fills it in and aligns it to the right.
void AddLevelLine(GameObject& screen) {
    auto* line = new GameObject();
    TextComponent* text = line->AddComponent(new TextComponent());
    text->font = Services::fonts->GetFont("Title");
    text->text.clear();
    text->color = Color{255, 222, 230, 255};
    text->layer = 0;
    line->AddComponent(new Pos2dComponent())->position = Vector2(790.0f, 577.0f);
    gameplayState.levelLine = screen.AddChild(line);
}

void AddCursor(GameObject& screen) {
    auto* cursor = screen.AddChild(new BackgroundTile());
    gameplayState.cursorTile = cursor;
    cursor->isCursor = true;
    cursor->column = 12;
    cursor->row = 8;
    cursor->pos2d->position = GridToWorld(12, 8);
    cursor->kind = 2;
    cursor->solid = true;
    cursor->sprite->texture = Services::textures->GetTexture("GutVertical");
    cursor->sprite->size = cursor->sprite->size * 0.5f;
    cursor->sprite->layer = 2;    // over the tiles
    cursor->sprite->color.a = 0;  // hidden until the editor is switched on
}

// The objects go with the tree; nothing may reach them through the record afterwards.
void ForgetObjects() {
    gameplayState.tiles.fill(nullptr);
    gameplayState.cursorTile = nullptr;
    gameplayState.player = nullptr;
    gameplayState.title = nullptr;
    gameplayState.levelLine = nullptr;
    gameplayState.panel = nullptr;
    gameplayState.menu = nullptr;
    gameplayState.marks = nullptr;
    gameplayState.help = nullptr;
    gameplayState.finishCard = nullptr;
    gameplayState.levelList = nullptr;
    gameplayState.openLevelList = nullptr;
    gameplayState.overlays.clear();
}

void AddTiles(GameObject& screen) {
    for (int32_t row = 0; row < GridRows; ++row) {
        for (int32_t column = 0; column < GridColumns; ++column) {
            auto* tile = screen.AddChild(new BackgroundTile());
            tile->column = column;
            tile->row = row;
            tile->pos2d->position = GridToWorld(column, row);
            gameplayState.tiles[size_t(SlotOf({column, row}))] = tile;
        }
    }
}

}  // namespace

GameplayScreen::GameplayScreen() {
    // One screen per game; a fresh one starts from the initial state (tests build several).
    gameplayState.levels.clear();
    gameplayState.currentLevelIndex = 0;
    gameplayState.editorMode = false;

    AddComponent(new GameplayScreenBehavior());
    try {
        AddTiles(*this);
        gameplayState.player = AddChild(new Player());
        AddTitle(*this);
        AddCursor(*this);
        AddLevelLine(*this);
        gameplayState.menu = AddChild(new Menu());
        gameplayState.overlays.push_back(gameplayState.menu);
        gameplayState.marks = AddChild(new EditorMarks());
        gameplayState.help = AddChild(new HelpCard());
        gameplayState.overlays.push_back(gameplayState.help);
        gameplayState.finishCard = AddChild(new FinishCard());
        gameplayState.overlays.push_back(gameplayState.finishCard);
        gameplayState.levelList = AddChild(new LevelListPanel());
        gameplayState.overlays.push_back(gameplayState.levelList);
        // Last: a question (closing the window) goes over the card and the list.
        gameplayState.panel = AddChild(new MessagePanel());
        gameplayState.overlays.push_back(gameplayState.panel);
    } catch (...) {
        ForgetObjects();  // a missing picture: what was built is destroyed with the base
        throw;
    }
}

GameplayScreen::~GameplayScreen() { ForgetObjects(); }

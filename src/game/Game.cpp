#include "game/Game.hpp"

#include "audio/MusicManager.hpp"
#include "audio/RandomManager.hpp"
#include "audio/SoundManager.hpp"
#include "core/ActionNames.hpp"
#include "core/CloseGuard.hpp"
#include "core/ContentFolder.hpp"
#include "core/GameSettings.hpp"
#include "core/GameTime.hpp"
#include "core/Services.hpp"
#include "gameplay/GameplayScreen.hpp"
#include "graphics/FontManager.hpp"
#include "graphics/TextureManager.hpp"
#include "input/InputManager.hpp"
#include "input/KeyMappings.hpp"
#include "scene/Behavior.hpp"
#include "scene/GameObject.hpp"

Game::Game(std::unique_ptr<Platform> platform) : platform_(std::move(platform)) {
    Services::game = this;
    root_ = std::make_unique<GameObject>();
    Services::root = root_.get();
    random_ = std::make_unique<RandomManager>();
    Services::random = random_.get();
    settings_ = std::make_unique<GameSettings>();
    Services::settings = settings_.get();
    textures_ = std::make_unique<TextureManager>();
    Services::textures = textures_.get();
    fonts_ = std::make_unique<FontManager>();
    Services::fonts = fonts_.get();
    time_ = std::make_unique<GameTime>();
    Services::time = time_.get();
    actionNames_ = std::make_unique<ActionNames>();
    Services::actionNames = actionNames_.get();
    input_ = std::make_unique<InputManager>();
    Services::input = input_.get();
    sound_ = std::make_unique<SoundManager>();
    Services::sound = sound_.get();
    music_ = std::make_unique<MusicManager>();
    Services::music = music_.get();
    coroutineManager_ = std::make_unique<CoroutineManager>();
    coroutineManager = coroutineManager_.get();
}

Game::~Game() {
    coroutineManager_.reset();
    coroutineManager = nullptr;
    // The music's stream goes before the system that plays it.
    music_.reset();
    Services::music = nullptr;
    sound_.reset();
    Services::sound = nullptr;
    input_.reset();
    actionNames_.reset();
    time_.reset();
    textures_.reset();
    fonts_->banks.clear();
    fonts_.reset();
    settings_.reset();
    random_.reset();
    // Last: the whole scene tree.
    root_.reset();
    // No slot may point at what is gone: a platform or a test outliving the game reads them.
    Services::input = nullptr;
    Services::actionNames = nullptr;
    Services::time = nullptr;
    Services::textures = nullptr;
    Services::fonts = nullptr;
    Services::settings = nullptr;
    Services::random = nullptr;
    Services::root = nullptr;
    Services::game = nullptr;
}

void Game::Run() {
    StartUp();
    RunLoop();
    ShutDown();
}

void Game::StartUp() {
    LoadKeyMappings((ContentFolder() / "Config" / "KeyMappings.json").string());
    GameSettings& settings = *Services::settings;
    settings.screenWidth = 800;
    settings.screenHeight = 600;
    settings.updatesPerSecond = 60;
    settings.clearColor = Color{0, 0, 0, 0};
    platform_->CreateWindowAndDevice();
    Services::textures->LoadBank("Main");
    Services::fonts->LoadBank("Main");
    SoundManager::LoadBank("Main");
    Services::root->AddChild(new GameplayScreen());
}

void Game::RunLoop() {
    const GameSettings& settings = *Services::settings;
    GameTime& time = *Services::time;
    const int64_t ticksPerUpdate = platform_->CounterFrequency() / settings.updatesPerSecond;
    int64_t nextTick = platform_->NowTicks() + ticksPerUpdate;

    for (;;) {
        const int64_t now = platform_->NowTicks();
        if (now < nextTick) {
            platform_->SleepTicks(nextTick - now);
            continue;
        }

        // Advance one step per period that came due, at most maxUpdatesPerFrame + 1.
        time.delta = 0.0f;
        int32_t counter = -1;
        while (counter < settings.maxUpdatesPerFrame) {
            time.delta += 1.0f / float(settings.updatesPerSecond);
            nextTick += ticksPerUpdate;
            ++counter;
            if (now < nextTick) break;
        }
        // Too far behind: drop the rest rather than simulate a burst.
        while (nextTick <= now) nextTick += ticksPerUpdate;
        time.total += time.delta;

        Services::input->BeginFrame();
        Services::sound->Update();
        if (quitRequested_ || !platform_->PumpMessages()) break;
        InputPass(*Services::root);
        UpdatePass(*Services::root);
        // Steps, music and recovery copies go on whether or not a frame is presented.
        presenter_.Frame(*platform_, *Services::root, settings.clearColor);
    }
}

void Game::ShutDown() {
    if (closeGuard_) closeGuard_->LoopEnded();
    SoundManager::UnloadBank("Main");
    Services::fonts->UnloadBank("Main");
    Services::textures->UnloadBank("Main");
    platform_->ReleaseDevice();
}

bool Game::ConfirmClose() { return !closeGuard_ || closeGuard_->ConfirmClose(); }

void Game::InputPass(GameObject& object) {
    const size_t behaviorCount = object.behaviors.size();
    for (size_t i = 0; i < behaviorCount; ++i) object.behaviors[i]->HandleInput();
    const size_t childCount = object.children.size();
    for (size_t i = 0; i < childCount; ++i) InputPass(*object.children[i]);
}

void Game::UpdatePass(GameObject& object) {
    const float delta = Services::time->delta;
    // Counts are read again before each index: what Update attaches runs in this pass.
    for (size_t i = 0; i < object.behaviors.size(); ++i) {
        Behavior& b = *object.behaviors[i];
        if (!b.started) {
            b.started = true;
            b.Start();
        }
        b.Update();
        for (auto& [id, c] : b.coroutines) {
            if (!c->running || c->paused) continue;
            if (c->waitSeconds > 0.0f) c->waitSeconds -= delta;
            if (c->waitFrames > 0) c->waitFrames -= 1;
            if (c->waitSeconds <= 0.0f && c->waitFrames <= 0) c->Step();
        }
    }
    for (size_t i = 0; i < object.children.size(); ++i) UpdatePass(*object.children[i]);
}

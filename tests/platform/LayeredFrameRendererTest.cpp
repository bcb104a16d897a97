// The kept back layer against direct drawing, both read back from SDL's software renderer.
#include <SDL.h>

#include <gtest/gtest.h>

#include <tuple>

#include "audio/MusicManager.hpp"
#include "audio/SoundManager.hpp"
#include "core/FrameDraws.hpp"
#include "core/Services.hpp"
#include "gameplay/Grid.hpp"
#include "graphics/TextureManager.hpp"
#include "platform/SdlSpriteBatch.hpp"
#include "input/InputManager.hpp"
#include "platform/LayeredFrameRenderer.hpp"
#include "scene/Component.hpp"
#include "scene/DrawObject.hpp"
#include "support/AllocationCounter.hpp"
#include "support/GameplayWorld.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TestPictures.hpp"

namespace {

using Frame = std::vector<uint32_t>;

// The whole output, letterbox bars included.
Frame ReadBack(SDL_Renderer* renderer) {
    int w = 0, h = 0, logicalW = 0, logicalH = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    SDL_RenderGetLogicalSize(renderer, &logicalW, &logicalH);
    SDL_RenderSetLogicalSize(renderer, 0, 0);
    Frame pixels(size_t(w) * size_t(h));
    EXPECT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4), 0)
        << SDL_GetError();
    SDL_RenderSetLogicalSize(renderer, logicalW, logicalH);
    return pixels;
}

// Presents through a kept layer, as the real platform does. At the start of every frame it
// compares what the window shows (the last frame presented) with the scene drawn directly
// into a texture of its own, as the game drew before it skipped unchanged frames.
class TwoWayPlatform : public SoftwarePlatform {
public:
    void RenderFrame(const FrameDraws& frame) override {
        SDL_Renderer* device = Services::settings->device;
        if (!kept) kept = std::make_unique<LayeredFrameRenderer>(device);
        const uint64_t before = AllocationCount();
        kept->Draw(frame);
        if (presents > 0) allocations += AllocationCount() - before;
        ++presents;
    }
    void Compare() {
        SDL_Renderer* device = Services::settings->device;
        if (!direct) {
            direct.reset(SDL_CreateTexture(device, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, 800, 600));
            directBatch = std::make_unique<SdlSpriteBatch>(device);
        }
        const Frame shown = ReadBack(device);
        SDL_SetRenderTarget(device, direct.get());
        const Color c = Services::settings->clearColor;
        SDL_SetRenderDrawColor(device, c.r, c.g, c.b, c.a);
        SDL_RenderClear(device);
        DrawScene(*Services::root, *directBatch);
        const Frame drawn = ReadBack(device);
        SDL_SetRenderTarget(device, nullptr);
        if (shown != drawn) differing.push_back(frames);
    }
    void ReleaseDevice() override {
        kept.reset();  // the textures go before the renderer
        direct.reset();
        SoftwarePlatform::ReleaseDevice();
    }

    std::unique_ptr<LayeredFrameRenderer> kept;
    SdlTexturePtr direct;
    std::unique_ptr<SdlSpriteBatch> directBatch;
    std::vector<int> differing;  // frames after which the window showed another picture
    uint64_t allocations = 0;    // by the kept layer after the first frame
};

void Press(Key key, int frame, int from, int to) { Services::input->SetKey(key, frame >= from && frame < to); }

}  // namespace

// From frame 30 the window is minimised: nothing is drawn, but a step started then ends and
// the theme plays on; back in view, the new picture is presented at once.
TEST(LayeredFrame, TheGameLooksAsIfDrawnAnewEveryFrameThroughTheKeptLayerAndUnchangedFramesSkipped) {
    TempContent content;
    ScopedEnv quiet("SDL_AUDIODRIVER", "dummy");  // TempContent has set the home and XDG folders
    content.CopyFromSource("Content", "Content");
    auto owned = std::make_unique<TwoWayPlatform>();
    TwoWayPlatform& platform = *owned;
    Game game(std::move(owned));
    game.StartUp();
    // Walk a step right, switch the editor on, paint a floor cell, undo the paint, walk back.
    int presentsShown = 0;
    Vector2 from;
    platform.quitAfterFrames = 43;
    platform.onFrame = [&](int frame) {
        if (frame > 1 && platform.shown) platform.Compare();
        Press(Key::Right, frame, 2, 14);
        Services::input->SetKey(Key::E, frame == 16 || frame == 28);
        GameplayWorld::Mouse(GridToWorld(5, 2), frame >= 20 && frame < 23, false);
        Press(Key::Ctrl, frame, 26, 27);
        Press(Key::Z, frame, 26, 27);
        Press(Key::Left, frame, 30, 31);
        platform.shown = frame < 30;
        if (frame == 30) presentsShown = platform.presents, from = GameplayWorld::PlayerAt();
    };
    game.RunLoop();

    EXPECT_EQ(platform.presents, presentsShown);
    EXPECT_EQ(GameplayWorld::PlayerAt(), from - Vector2(64, 0));
    EXPECT_TRUE(Services::sound->system->IsPlaying(Services::music->currentChannel));
    platform.shown = true;
    platform.onFrame = nullptr;
    platform.quitAfterFrames = 44;
    game.RunLoop();
    platform.Compare();
    EXPECT_EQ(platform.presents, presentsShown + 1);
    EXPECT_EQ(platform.differing, std::vector<int>{});
    EXPECT_LT(platform.presents, 30);
    // Drawn anew at the start, for the editor's colour on and off, the paint and the undo.
    EXPECT_EQ(platform.kept->rebuilds(), 5);
    EXPECT_EQ(platform.allocations, 0u);
    game.ShutDown();
}

// A striped sprite in layer 1 on the real platform's renderer, drawn both ways.
class KeptLayer : public ::testing::TestWithParam<const char*> {
protected:
    TempContent folder;
    HeadlessScreen screen{GetParam()};
    SDL_Renderer* device = screen.settings.device;
    std::unique_ptr<Texture> picture;
    LayeredFrameRenderer kept{device}, direct{device, false};
};

// Only the clear colour changes, then a window manager sizes the window: each time the layer
// is made anew and gives the very pixels of direct drawing, letterbox bars included.
TEST_P(KeptLayer, LooksAsDrawnDirectlyAfterANewClearColourOrWindowSize) {
    WritePng("stripes.png", 16, 16, [](int x, int) { return x % 2 ? Color{255, 0, 0, 255} : Color{}; });
    picture = LoadTextureFromFile("stripes.png");
    ASSERT_NE(picture, nullptr);
    GameObject& tile = *screen.root.AddChild(new GameObject);
    tile.AddComponent(new Pos2dComponent)->position = Vector2(300.5f, 200.0f);
    auto* sprite = tile.AddComponent(new SpriteComponent);
    sprite->texture = picture.get();
    sprite->size = Vector2(48, 40);
    sprite->color = Color{255, 255, 255, 200};

    const Color first{10, 20, 30, 255}, next{200, 100, 50, 255};
    const std::tuple<int, int, Color> steps[] = {
        {800, 600, first}, {800, 600, next}, {1000, 750, next}, {900, 600, next}, {533, 411, next}};
    FrameDraws frame;
    for (auto [w, h, clear] : steps) {
        SDL_SetWindowSize(screen.settings.window, w, h);
        frame.Begin(clear);
        DrawObject(screen.root, 1, frame.Layer(1));
        kept.Draw(frame);
        int logicalW = 0, logicalH = 0;  // layer 2 and the mouse still need it
        SDL_RenderGetLogicalSize(device, &logicalW, &logicalH);
        EXPECT_EQ(logicalW * logicalH, 800 * 600);
        const Frame viaLayer = ReadBack(device);
        direct.Draw(frame);
        EXPECT_TRUE(viaLayer == ReadBack(device)) << w << " x " << h;
    }
    EXPECT_EQ(kept.rebuilds(), 5);

    // Back at one output pixel per logical pixel, a mirrored sprite in layer 2 moves: only the
    // rectangles it left and entered are drawn, over what the target held, with the same pixels.
    GameObject& front = *screen.root.AddChild(new GameObject);
    front.AddComponent(new Pos2dComponent);
    front.AddComponent(new SpriteComponent)->texture = picture.get();
    front.sprite->size = Vector2(-40, 30);
    front.sprite->layer = 2;
    SDL_SetWindowSize(screen.settings.window, 800, 600);
    std::vector<SDL_Rect> changed;
    for (float x : {0.0f, 290.25f, 310.5f, 700.0f, 700.0f}) {
        front.pos2d->position = Vector2(x, 210.0f);
        frame.Begin(next);
        for (int layer : {1, 2}) DrawObject(screen.root, layer, frame.Layer(layer));
        if (x == 0.0f) kept.Draw(frame);
        EXPECT_TRUE(x == 0.0f || kept.DrawChanged(frame, changed));
        const Frame viaChanges = ReadBack(device);
        direct.Draw(frame);
        EXPECT_TRUE(viaChanges == ReadBack(device)) << x;
    }
    EXPECT_TRUE(changed.empty());  // the last frame changed nothing
    frame.Begin(first);
    EXPECT_FALSE(kept.DrawChanged(frame, changed));
}

INSTANTIATE_TEST_SUITE_P(Renderers, KeptLayer, ::testing::Values("dummy", "offscreen"));

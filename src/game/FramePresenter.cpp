#include "game/FramePresenter.hpp"

#include <utility>

#include "core/Platform.hpp"
#include "scene/DrawObject.hpp"
#include "scene/GameObject.hpp"

void FramePresenter::Frame(Platform& platform, GameObject& root, Color clearColor) {
    if (!platform.WindowShown()) {
        // What comes back into view is drawn afresh, whatever the window system says then.
        presented_ = false;
        return;
    }
    next_.Begin(clearColor);
    for (int layer : {1, 2}) {
        SpriteBatch& batch = next_.Layer(layer);
        batch.Begin();
        DrawObject(root, layer, batch);
        batch.End();
    }
    // Asked first, so that a request is used up even by a frame that changed anyway.
    const bool redraw = platform.TakeRedrawRequest();
    if (!redraw && presented_ && next_ == shown_) return;
    platform.RenderFrame(next_);
    std::swap(next_, shown_);
    presented_ = true;
}

#include "platform/LayeredFrameRenderer.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// More than a frame of this game draws in layer 1 (126 tiles and the title).
constexpr size_t expectedDraws = 1024;

// The output pixels a draw may touch, a pixel more on each side for rounding; false when none.
bool PixelsOf(const RecordedDraw& d, int width, int height, SDL_Rect& r) {
    const Vector2 topLeft = d.position - d.centre;
    float x0 = topLeft.x * d.transform.scaleX + d.transform.translateX;
    float y0 = topLeft.y * d.transform.scaleY + d.transform.translateY;
    float x1 = x0 + float(d.source.right - d.source.left) * d.transform.scaleX;
    float y1 = y0 + float(d.source.bottom - d.source.top) * d.transform.scaleY;
    if (x1 < x0) std::swap(x0, x1);
    if (y1 < y0) std::swap(y0, y1);
    const int left = std::max(0, int(std::floor(x0)) - 1), top = std::max(0, int(std::floor(y0)) - 1);
    const int right = std::min(width, int(std::ceil(x1)) + 1);
    const int bottom = std::min(height, int(std::ceil(y1)) + 1);
    r = {left, top, right - left, bottom - top};
    return r.w > 0 && r.h > 0;
}

void Clear(SDL_Renderer* renderer, Color c) {
    SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, c.a);
    SDL_RenderClear(renderer);
}

}  // namespace

LayeredFrameRenderer::LayeredFrameRenderer(SDL_Renderer* renderer, bool keepLayer)
    : renderer_(renderer), batch_(renderer), keepLayer_(keepLayer && SDL_RenderTargetSupported(renderer)) {
    keptDraws_.reserve(expectedDraws);
    front_.reserve(expectedDraws);
}

LayeredFrameRenderer::Shape LayeredFrameRenderer::CurrentShape() const {
    Shape shape;
    SDL_GetRendererOutputSize(renderer_, &shape.width, &shape.height);
    SDL_RenderGetLogicalSize(renderer_, &shape.logicalWidth, &shape.logicalHeight);
    shape.integerScale = SDL_RenderGetIntegerScale(renderer_);
    return shape;
}

void LayeredFrameRenderer::Draw(const FrameDraws& frame) {
    front_ = frame.draws(2);
    if (!keepLayer_) return DrawDirect(frame);
    const Shape shape = CurrentShape();
    const bool same = kept_ && shape == keptShape_ && frame.clearColor() == keptClear_ &&
                      frame.draws(1) == keptDraws_;
    if (!same && !Rebuild(shape, frame)) return DrawDirect(frame);

    CopyKeptLayer(shape);
    frame.Replay(2, batch_);
}

bool LayeredFrameRenderer::DrawChanged(const FrameDraws& frame, std::vector<SDL_Rect>& changed) {
    const Shape shape = CurrentShape();
    const bool oneToOne = shape.logicalWidth == 0 ||
                          (shape.logicalWidth == shape.width && shape.logicalHeight == shape.height);
    if (!keepLayer_ || !kept_ || !oneToOne || !(shape == keptShape_) || !(frame.clearColor() == keptClear_) ||
        !(frame.draws(1) == keptDraws_))
        return false;
    // Where a draw differs, both where it was and where it is now.
    changed.clear();
    const std::vector<RecordedDraw>& now = frame.draws(2);
    for (size_t i = 0; i < std::max(now.size(), front_.size()); ++i) {
        const bool was = i < front_.size(), is = i < now.size();
        if (was && is && now[i] == front_[i]) continue;
        const RecordedDraw* const both[] = {was ? &front_[i] : nullptr, is ? &now[i] : nullptr};
        for (const RecordedDraw* d : both) {
            SDL_Rect r;
            if (d && PixelsOf(*d, shape.width, shape.height, r)) changed.push_back(r);
        }
    }
    for (const SDL_Rect& r : changed) {
        SDL_RenderSetClipRect(renderer_, &r);
        CopyKeptLayer(shape);
        frame.Replay(2, batch_);
    }
    SDL_RenderSetClipRect(renderer_, nullptr);
    front_ = now;
    return true;
}

void LayeredFrameRenderer::Invalidate() {
    kept_ = false;
    layer_.reset();
}

void LayeredFrameRenderer::DrawDirect(const FrameDraws& frame) {
    Clear(renderer_, frame.clearColor());
    frame.Replay(1, batch_);
    frame.Replay(2, batch_);
}

bool LayeredFrameRenderer::Rebuild(const Shape& shape, const FrameDraws& frame) {
    kept_ = false;
    if (!layer_ || shape.width != keptShape_.width || shape.height != keptShape_.height) {
        layer_.reset(SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                       shape.width, shape.height));
        if (!layer_) {
            keepLayer_ = false;  // as where targets are not supported
            return false;
        }
        // Copied pixel for pixel over the whole output, replacing what is there.
        SDL_SetTextureBlendMode(layer_.get(), SDL_BLENDMODE_NONE);
        SDL_SetTextureScaleMode(layer_.get(), SDL_ScaleModeNearest);
    }
    SDL_Texture* previous = SDL_GetRenderTarget(renderer_);
    if (SDL_SetRenderTarget(renderer_, layer_.get()) != 0) {
        keepLayer_ = false;
        layer_.reset();
        return false;
    }
    // A texture target starts unscaled; the same logical size on a texture of the output's
    // size gives the same viewport and scale as on the output, so the layer is as sharp.
    if (shape.logicalWidth > 0) {
        SDL_RenderSetIntegerScale(renderer_, SDL_bool(shape.integerScale));
        SDL_RenderSetLogicalSize(renderer_, shape.logicalWidth, shape.logicalHeight);
    }
    Clear(renderer_, frame.clearColor());
    frame.Replay(1, batch_);
    SDL_SetRenderTarget(renderer_, previous);
    keptDraws_ = frame.draws(1);
    keptShape_ = shape;
    keptClear_ = frame.clearColor();
    kept_ = true;
    ++rebuilds_;
    return true;
}

void LayeredFrameRenderer::CopyKeptLayer(const Shape& shape) {
    // One texel per output pixel: the logical scaling is already in the layer.
    if (shape.logicalWidth > 0) SDL_RenderSetLogicalSize(renderer_, 0, 0);
    SDL_RenderCopy(renderer_, layer_.get(), nullptr, nullptr);
    if (shape.logicalWidth > 0) SDL_RenderSetLogicalSize(renderer_, shape.logicalWidth, shape.logicalHeight);
}

#include "platform/LayeredFrameRenderer.hpp"


namespace {

// More than a frame of this game draws in layer 1 (126 tiles and the title).
constexpr size_t expectedDraws = 1024;

void Clear(SDL_Renderer* renderer, Color c) {
    SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, c.a);
    SDL_RenderClear(renderer);
}

}  // namespace

LayeredFrameRenderer::LayeredFrameRenderer(SDL_Renderer* renderer, bool keepLayer)
    : renderer_(renderer), batch_(renderer), keepLayer_(keepLayer && SDL_RenderTargetSupported(renderer)) {
    keptDraws_.reserve(expectedDraws);
}

void LayeredFrameRenderer::Draw(const FrameDraws& frame) {
    if (!keepLayer_) return DrawDirect(frame);
    Shape shape;
    SDL_GetRendererOutputSize(renderer_, &shape.width, &shape.height);
    SDL_RenderGetLogicalSize(renderer_, &shape.logicalWidth, &shape.logicalHeight);
    shape.integerScale = SDL_RenderGetIntegerScale(renderer_);
    const bool same = kept_ && shape == keptShape_ && frame.clearColor() == keptClear_ &&
                      frame.draws(1) == keptDraws_;
    if (!same && !Rebuild(shape, frame)) return DrawDirect(frame);

    CopyKeptLayer(shape);
    frame.Replay(2, batch_);
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

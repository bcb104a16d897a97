#pragma once

#include <vector>

#include "core/Color.hpp"
#include "core/FrameDraws.hpp"
#include "platform/SdlHandles.hpp"
#include "platform/SdlSpriteBatch.hpp"

// Draws one recorded frame: cleared to its colour, sprite layer 1, then layer 2. Where the
// renderer can draw into a texture, the clear and layer 1 are kept in one of the renderer's
// output size and reused while layer 1 makes the same draws as last time: an unchanged maze
// then costs one copy instead of 126 blended tiles and the title. Whether anything changed is
// told from the draws themselves, so no caller can forget to say so; a texture's pixels are
// taken to stay as they were loaded.
class LayeredFrameRenderer {
public:
    // With `keepLayer` false, or where the renderer has no render targets, every frame is
    // drawn directly.
    explicit LayeredFrameRenderer(SDL_Renderer* renderer, bool keepLayer = true);

    // Draws the frame into the renderer's current target; the caller presents.
    void Draw(const FrameDraws& frame);
    // Draws only the rectangles (output pixels, into `changed`) where the frame differs from
    // the one drawn last, when that is enough: the target still holds that frame, logical pixels
    // are output pixels, and the clear colour and layer 1 are the same. False, with nothing
    // drawn, when the whole frame must be drawn.
    bool DrawChanged(const FrameDraws& frame, std::vector<SDL_Rect>& changed);
    // The device reset its targets or itself: the layer's texture may be gone with its pixels,
    // so a new one is made and drawn next frame.
    void Invalidate();

    SpriteBatch& batch() { return batch_; }
    // How often the kept layer has been drawn anew.
    int rebuilds() const { return rebuilds_; }

private:
    // What decides the target's size and how layer 1 is scaled into it.
    struct Shape {
        int width = 0, height = 0;
        int logicalWidth = 0, logicalHeight = 0;
        bool integerScale = false;
        bool operator==(const Shape&) const = default;
    };

    Shape CurrentShape() const;
    void DrawDirect(const FrameDraws& frame);
    bool Rebuild(const Shape& shape, const FrameDraws& frame);
    void CopyKeptLayer(const Shape& shape);

    SDL_Renderer* renderer_;  // not owned
    SdlSpriteBatch batch_;
    bool keepLayer_;
    SdlTexturePtr layer_;
    bool kept_ = false;  // layer_ holds keptDraws_ over keptClear_ at keptShape_
    Shape keptShape_;
    Color keptClear_;
    // Reserved once, so that keeping a new layer allocates nothing.
    std::vector<RecordedDraw> keptDraws_;
    std::vector<RecordedDraw> front_;  // layer 2 of the frame drawn last
    int rebuilds_ = 0;
};

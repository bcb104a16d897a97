#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "audio/CueLayer.hpp"
#include "audio/LayerMode.hpp"

// A named effect: layers and the mode that picks which of them a play starts.
class Cue {
public:
    virtual ~Cue() = default;

    std::vector<std::unique_ptr<CueLayer>> layers;
    LayerMode layerMode = LayerMode::Simultaneous;
    int32_t nextLayer = 0;  // the layer the next Sequential play starts
};

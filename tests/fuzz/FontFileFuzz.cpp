#include <exception>

#include "FuzzSupport.hpp"
#include "graphics/FontManager.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnterFuzzFolder();
    OpenHeadlessDevice();
    WriteInput("Content/Fonts/Main/Fuzz.fnt", data, size);
    try {
        auto font = LoadFont("Content/Fonts/Main/Fuzz.fnt");
        int placed = 0;
        font->LayOut("TORVEL: Glimmerduct \x80\xff", Vector2(), [&](const Glyph&, Vector2) { ++placed; });
    } catch (const std::exception&) {
    }
    return 0;
}

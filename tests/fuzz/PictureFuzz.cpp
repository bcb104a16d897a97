#include "FuzzSupport.hpp"
#include "graphics/TextureManager.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnterFuzzFolder();
    OpenHeadlessDevice();
    WriteInput("Content/Textures/Main/Fuzz.png", data, size);
    // A picture that does not load gives no texture; anything else must not crash or hang.
    auto texture = LoadTextureFromFile("Content/Textures/Main/Fuzz.png");
    if (texture && (texture->width < 1 || texture->height < 1)) __builtin_trap();
    return 0;
}

#include <exception>

#include "FuzzSupport.hpp"
#include "graphics/FontManager.hpp"
#include "scene/TextComponent.hpp"
#include "scene/DrawObject.hpp"
#include "scene/GameObject.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "platform/SdlSpriteBatch.hpp"

// A fed font description beside the shipped page, loaded, then its text laid out and drawn
// through the real draw code and sprite batch, so the sanitizers see the glyph arithmetic.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnterFuzzFolder();
    OpenHeadlessDevice();
    static const bool copied =
        (CopyShipped("Content/Fonts/Main/Title_0.png", "Content/Fonts/Main/Title_0.png"), true);
    (void)copied;
    WriteInput("Content/Fonts/Main/Fuzz.fnt", data, size);
    try {
        auto font = LoadFont("Content/Fonts/Main/Fuzz.fnt");
        GameObject object;
        auto* text = object.AddComponent(new TextComponent);
        text->font = font.get();
        text->text = "TORVEL: Glimmerduct \x80\xff";
        SdlSpriteBatch batch(Services::settings->device);
        DrawObject(object, 1, batch);
    } catch (const std::exception&) {
    }
    return 0;
}

#include "game/ContentCheck.hpp"

#include "audio/MusicManager.hpp"
#include "audio/SoundManager.hpp"
#include "core/ContentFolder.hpp"
#include "core/ContentProblems.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/LevelFiles.hpp"
#include "gameplay/Pictures.hpp"
#include "graphics/FontManager.hpp"
#include "graphics/TextureManager.hpp"
#include "input/InputManager.hpp"
#include "input/KeyMappings.hpp"
#include "platform/SdlHandles.hpp"

namespace {

// Puts an instance in its registry slot while the check runs.
template <class T>
class Published {
public:
    Published(T*& slot, T& instance) : slot_(slot) { slot_ = &instance; }
    ~Published() { slot_ = nullptr; }
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

private:
    T*& slot_;
};

void CheckLevels(const ContentProblems& problems) {
    const size_t before = problems.lines().size();
    LoadingEach(LoadLevels);
    // When every level file is broken, that was said already.
    if (problems.lines().size() == before) LoadingEach(RequireSomeLevel);
    ClearLevels();
}

}  // namespace

std::vector<std::string> CheckContent() {
    ContentProblems problems;
    // Pictures are decoded and made into textures as the game does, in a software renderer
    // drawing into a surface of one pixel: no video subsystem, no window.
    const SurfacePtr surface(
        SdlCheck(SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, SDL_PIXELFORMAT_ARGB8888), "surface"));
    const RendererPtr renderer(SdlCheck(SDL_CreateSoftwareRenderer(surface.get()), "renderer"));
    GameSettings settings;
    settings.device = renderer.get();
    InputManager input;
    TextureManager textures;
    FontManager fonts;
    SoundManager sound(AudioOutput::None);  // decodes every sound, opens no device
    const Published<GameSettings> settingsSlot(Services::settings, settings);
    const Published<InputManager> inputSlot(Services::input, input);
    const Published<TextureManager> texturesSlot(Services::textures, textures);
    const Published<FontManager> fontsSlot(Services::fonts, fonts);
    const Published<SoundManager> soundSlot(Services::sound, sound);

    LoadingEach([] { LoadKeyMappings((ContentFolder() / "Config" / "KeyMappings.json").string()); });
    LoadingEach([&] { textures.LoadBank("Main"); });
    const auto bank = textures.banks.find("Main");
    for (const char* name : requiredPictures) {
        // A picture that is there but does not load was noted with its reason.
        const bool there = bank != textures.banks.end() && bank->second->textures.count(name);
        if (!there) LoadingEach([&] { RequirePicture(name); });
    }
    LoadingEach([&] { fonts.LoadBank("Main"); });
    LoadingEach([] { SoundManager::LoadBank("Main"); });
    LoadingEach([&] {
        MusicManager music;
        for (const auto& [name, track] : music.tracks) sound.system->ReleaseClip(music.Open(track));
    });
    CheckLevels(problems);
    return problems.lines();
}

#include "graphics/TextureManager.hpp"

#include <SDL.h>
#include <SDL_image.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "core/ContentFolder.hpp"
#include "core/ContentProblems.hpp"
#include "core/FolderListing.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"

namespace {

int NextPowerOfTwo(int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// The picture decoder prints its own complaints ("libpng error: IDAT: CRC error") to stderr,
// and the loader cannot reach its handler. A bad picture is reported once, by the caller,
// naming the file, so stderr points at /dev/null while a picture decodes (main thread only).
class QuietStandardError {
public:
    QuietStandardError() : saved_(::dup(2)) {
        const int devnull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && devnull >= 0) ::dup2(devnull, 2);
        if (devnull >= 0) ::close(devnull);
    }
    ~QuietStandardError() {
        if (saved_ < 0) return;
        ::dup2(saved_, 2);
        ::close(saved_);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_;
};

struct ReadCloser {
    void operator()(SDL_RWops* rw) const { SDL_RWclose(rw); }
};

// No picture of this game comes near this; a header claiming more is damaged or hostile.
constexpr uint32_t largestSide = 8192;

// Whether the size in the header (the IHDR chunk: bytes 16-23, big-endian width and height)
// is within the limit. Read before decoding: the decoder works for the size the header claims,
// and a 4 KB file claiming 60000 x 60000 would keep it busy for minutes.
bool HeaderSizeWithinLimit(SDL_RWops* file) {
    Uint8 header[24];
    const Sint64 start = SDL_RWtell(file);
    const bool read = SDL_RWread(file, header, 1, sizeof header) == sizeof header;
    SDL_RWseek(file, start, RW_SEEK_SET);
    if (!read || std::memcmp(header + 12, "IHDR", 4) != 0) return false;
    const auto side = [&](int at) {
        return uint32_t(header[at]) << 24 | uint32_t(header[at + 1]) << 16 | uint32_t(header[at + 2]) << 8 |
               uint32_t(header[at + 3]);
    };
    const uint32_t w = side(16), h = side(20);
    return w >= 1 && h >= 1 && w <= largestSide && h <= largestSide;
}

// PNG only, whatever the bytes look like: the game's pictures are PNG, and a file that only
// claims the name never reaches the library's other decoders (one of them leaks on bad input).
SDL_Surface* LoadPngQuietly(const std::string& path, std::string& why) {
    std::unique_ptr<SDL_RWops, ReadCloser> file(SDL_RWFromFile(path.c_str(), "rb"));
    if (!file) {
        why = SDL_GetError();
    } else if (!IMG_isPNG(file.get())) {
        why = "not a PNG picture";
    } else if (!HeaderSizeWithinLimit(file.get())) {
        why = "its header claims no size, or a side over " + std::to_string(largestSide) + " pixels";
    } else {
        QuietStandardError quiet;
        SDL_Surface* surface = IMG_LoadPNG_RW(file.get());
        if (!surface) why = std::string("the picture does not decode: ") + IMG_GetError();
        return surface;
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<Texture> LoadTextureFromFile(const boost::filesystem::path& path, std::string* why) {
    std::string ignored;
    std::string& problem = why ? *why : ignored;
    const auto failed = [&](const std::string& reason) {
        problem = reason;
        return nullptr;
    };
    SDL_Renderer* device = Services::settings ? Services::settings->device : nullptr;
    if (!device) return failed("there is no device to load it onto");
    SDL_ClearError();  // IMG_GetError may still hold an older error
    SurfacePtr loaded(LoadPngQuietly(path.string(), problem));
    if (!loaded) return nullptr;
    SurfacePtr rgba(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!rgba) return failed(SDL_GetError());
    const int w = NextPowerOfTwo(rgba->w), h = NextPowerOfTwo(rgba->h);
    if (w != rgba->w || h != rgba->h) {
        SurfacePtr stretched(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
        if (!stretched) return failed(SDL_GetError());
        SDL_SetSurfaceBlendMode(rgba.get(), SDL_BLENDMODE_NONE);
        SDL_Rect target{0, 0, w, h};
        if (SDL_BlitScaled(rgba.get(), nullptr, stretched.get(), &target) != 0) return failed(SDL_GetError());
        rgba = std::move(stretched);
    }
    SDL_Texture* deviceTexture = SDL_CreateTextureFromSurface(device, rgba.get());
    if (!deviceTexture) return failed(SDL_GetError());
    SDL_SetTextureBlendMode(deviceTexture, SDL_BLENDMODE_BLEND);
    return std::make_unique<Texture>(deviceTexture, float(w), float(h));
}

void TextureManager::LoadBank(const std::string& name) {
    if (banks.count(name) && banks[name]) return;
    auto bank = std::make_unique<TextureBank>();
    ForEachFileWithExtension(ContentFolder() / "Textures" / name, ".png", [&](const auto& file) {
        std::string why;
        std::unique_ptr<Texture> texture = LoadTextureFromFile(file, &why);
        if (!texture) ContentProblems::Note(file, why);  // the game goes without it
        bank->textures[StemOf(file)] = std::move(texture);
    });
    banks[name] = std::move(bank);
}

void TextureManager::UnloadBank(const std::string& name) { banks.erase(name); }

Texture* TextureManager::GetTexture(const std::string& name) const {
    for (const auto& [bankName, bank] : banks) {
        if (!bank) continue;
        auto found = bank->textures.find(name);
        if (found != bank->textures.end()) return found->second.get();
    }
    return nullptr;
}

// As small as a program can be that shows what the game shows: the same window and renderer,
// the same 129 sprites and 19 glyphs a frame, 60 frames a second with a plain
// sleep-until-due loop. Run from the folder that holds Content/. Ends on the quit event.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>

namespace {

SDL_Texture* Load(SDL_Renderer* renderer, const char* path) {
    SDL_Surface* surface = IMG_Load(path);
    if (!surface) {
        std::fprintf(stderr, "%s: %s\n", path, IMG_GetError());
        return nullptr;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(surface);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    return texture;
}

}  // namespace

int main() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("Game", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                          800, 600, SDL_WINDOW_SHOWN);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!window || !renderer) return 1;
    SDL_RenderSetLogicalSize(renderer, 800, 600);

    const char* names[] = {"GutBackground", "GutHorizontal", "GutVertical", "GutTopLeft",
                           "GutTopRight", "GutBottomLeft", "GutBottomRight", "TorvelPose"};
    SDL_Texture* textures[8];
    for (int i = 0; i < 8; ++i) {
        char path[256];
        std::snprintf(path, sizeof path, "Content/Textures/Main/%s.png", names[i]);
        if (!(textures[i] = Load(renderer, path))) return 1;
    }
    SDL_Texture* page = Load(renderer, "Content/Fonts/Main/Title_0.png");
    if (!page) return 1;

    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 period = frequency / 60;
    Uint64 due = SDL_GetPerformanceCounter() + period;
    for (bool running = true; running;) {
        const Uint64 now = SDL_GetPerformanceCounter();
        if (now < due) {
            SDL_Delay(Uint32((due - now) * 1000 / frequency));
            continue;
        }
        due += period;
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) running = false;
        }
        if (!running) break;
        SDL_SetRenderDrawColor(renderer, 152, 66, 86, 255);
        SDL_RenderClear(renderer);
        for (int cell = 0; cell < 126; ++cell) {
            const SDL_FRect to{-48.0f + 64.0f * float(cell % 14), 64.0f * float(cell / 14), 64, 64};
            SDL_RenderCopyF(renderer, textures[cell % 7], nullptr, &to);
        }
        for (int g = 0; g < 19; ++g) {
            const SDL_Rect from{(g % 16) * 16, (g / 16) * 24, 12, 20};
            const SDL_FRect to{10.0f + 11.0f * float(g), 578.0f, 12, 20};
            SDL_SetTextureColorMod(page, 255, 222, 230);
            SDL_RenderCopyF(renderer, page, &from, &to);
        }
        const SDL_FRect player{80, 64, 64, 64};
        SDL_RenderCopyF(renderer, textures[7], nullptr, &player);
        const SDL_FRect cursor{736, 528, 32, 32};
        SDL_SetTextureAlphaMod(textures[2], 0);
        SDL_RenderCopyF(renderer, textures[2], nullptr, &cursor);
        SDL_SetTextureAlphaMod(textures[2], 255);
        SDL_RenderPresent(renderer);
    }
    for (SDL_Texture* t : textures) SDL_DestroyTexture(t);
    SDL_DestroyTexture(page);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

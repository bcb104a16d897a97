#pragma once

class Game;
class GameObject;
class RandomManager;
struct GameSettings;
class TextureManager;
class FontManager;
struct GameTime;
struct ActionNames;
class InputManager;
class SoundManager;
class MusicManager;

// The process-wide single instances. Written only while the Game is constructed and destroyed;
// none of these pointers owns (the Game does).
namespace Services {
inline Game* game = nullptr;
inline GameObject* root = nullptr;
inline RandomManager* random = nullptr;
inline GameSettings* settings = nullptr;
inline TextureManager* textures = nullptr;
inline FontManager* fonts = nullptr;
inline GameTime* time = nullptr;
inline ActionNames* actionNames = nullptr;
inline InputManager* input = nullptr;
inline SoundManager* sound = nullptr;
inline MusicManager* music = nullptr;
}  // namespace Services

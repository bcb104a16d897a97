#pragma once

class GameHost;
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
class UserSettings;

// The process-wide single instances. Written only while the Game is constructed and destroyed;
// none of these pointers owns (the Game does).
namespace Services {
inline GameHost* game = nullptr;  // the Game, as the parts below it see it
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
inline UserSettings* userSettings = nullptr;  // what the player set in the menu
}  // namespace Services

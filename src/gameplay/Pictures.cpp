#include "gameplay/Pictures.hpp"

#include <boost/filesystem/path.hpp>

#include "core/ContentError.hpp"
#include "core/ContentFolder.hpp"
#include "core/Services.hpp"
#include "graphics/TextureManager.hpp"

Texture& RequirePicture(const std::string& name) {
    Texture* texture = Services::textures->GetTexture(name);
    if (!texture) {
        throw ContentError(ContentFolder() / "Textures" / "Main" / (name + ".png"),
                           "the picture is missing or could not be loaded");
    }
    return *texture;
}

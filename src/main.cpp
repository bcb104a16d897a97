#include <exception>

#include "core/ErrorReport.hpp"
#include "core/Game.hpp"
#include "core/SdlPlatform.hpp"

int main() {
    try {
        Game game(CreateSdlPlatform());
        game.Run();
    } catch (const std::exception& e) {
        // Bad content (or a platform that cannot start): one line naming the file, then out.
        ReportError(DescribeFatalError(e));
        return 1;
    }
    return 0;
}

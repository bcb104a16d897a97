#include "gameplay/Par.hpp"

#include "gameplay/Reachability.hpp"
#include "gameplay/TileKind.hpp"

Par ParOf(const LevelCodes& codes) {
    bool anyExit = false;
    for (int32_t code : codes) anyExit = anyExit || IsExitCode(code);
    if (!anyExit) return {};
    const CellDistances steps = StepsFromStart(codes);
    Par par{Par::Kind::Unreachable, 0};
    for (size_t slot = 0; slot < codes.size(); ++slot) {
        if (!IsExitCode(codes[slot]) || steps[slot] < 0) continue;
        if (par.kind == Par::Kind::Unreachable || steps[slot] < par.moves) par = {Par::Kind::Moves, steps[slot]};
    }
    return par;
}

std::string Describe(const Par& par) {
    switch (par.kind) {
        case Par::Kind::NoWayOut: return "no way out";
        case Par::Kind::Unreachable: return "way out unreachable";
        default: return "par " + std::to_string(par.moves);
    }
}

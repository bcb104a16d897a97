#pragma once

#include <cstdint>
#include <string>

#include "gameplay/Grid.hpp"

// What a level asks of the player: the fewest moves from its start to a way out (code 8)
// under the walking rules, or why there is no such number.
struct Par {
    enum class Kind : uint8_t {
        NoWayOut,     // a level to walk freely, nothing to finish
        Unreachable,  // a way out, but no start or none reachable from it
        Moves,
    };
    Kind kind = Kind::NoWayOut;
    int32_t moves = 0;  // for Kind::Moves

    bool operator==(const Par&) const = default;
};

// Allocates nothing, so the editor can ask every frame.
Par ParOf(const LevelCodes& codes);

// "par 12", "no way out", "way out unreachable".
std::string Describe(const Par& par);

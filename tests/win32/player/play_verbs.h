#pragma once
// The verbs the player can play on the real program, by name ("check text" for checks).

#include <span>
#include <string_view>

#include "play_script.h"

namespace extdict::player {

class Play;

enum class VerbKind {
    Setup,     // changes the world; any time
    RunSetup,  // belongs to the process that runs the program (answers, host, replies, variables)
    User,      // acts on the running program
    Check,
};

struct PlayVerb {
    const char* name;
    VerbKind kind;
    void (*run)(Play&, const Line&);
};

// Nothing when the verb cannot be played on the real program.
const PlayVerb* findPlayVerb(std::string_view name);

std::span<const PlayVerb> setupVerbs();
std::span<const PlayVerb> userVerbs();
std::span<const PlayVerb> screenChecks();
std::span<const PlayVerb> worldChecks();

} // namespace extdict::player

#pragma once
// The verbs of the scenario language. Each file of verbs gives a table; the runner looks a
// line's verb up in all of them.

#include <span>
#include <string_view>

#include "scenario.h"

namespace extdict::scenario {

struct Verb {
    const char* name;
    int minArgs;
    int maxArgs; // -1: any number
    void (*run)(Scenario&, const Line&);
    const char* usage;
};

std::span<const Verb> setupVerbs();
std::span<const Verb> userVerbs();
std::span<const Verb> screenChecks();
std::span<const Verb> worldChecks();

// Nothing when the language has no such verb.
const Verb* findVerb(std::string_view name);

} // namespace extdict::scenario

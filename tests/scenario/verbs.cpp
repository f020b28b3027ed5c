#include "verbs.h"

namespace extdict::scenario {

const Verb* findVerb(std::string_view name) {
    for (const auto table : {setupVerbs(), userVerbs(), screenChecks(), worldChecks()})
        for (const Verb& verb : table)
            if (name == verb.name) return &verb;
    return nullptr;
}

} // namespace extdict::scenario

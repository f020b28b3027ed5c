#include "play_verbs.h"

namespace extdict::player {

const PlayVerb* findPlayVerb(std::string_view name) {
    for (const auto table : {setupVerbs(), userVerbs(), screenChecks(), worldChecks()})
        for (const PlayVerb& verb : table)
            if (name == verb.name) return &verb;
    return nullptr;
}

} // namespace extdict::player

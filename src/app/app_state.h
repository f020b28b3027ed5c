#pragma once
// The program's state: one instance for the whole run, owned by the start-up routine and
// handed to every handler by reference.

#include <string>

#include "exchange/input_window_params.h"
#include "lookup/match_list.h"
#include "net/encyclopedia_cache.h"

namespace extdict {

struct AppState {
    AppState(tk::Toolkit& ui, RecordStore& store);

    std::string savedCaption;
    std::string databasePath;
    EncyclopediaCache encyclopediaCache;
    MatchList matchList;
    InputWindowParams inputWindowParams;
    bool inputConfirmed = false;
    std::string inputResult;
    bool suppressNextFilter = false;

    // Releases everything in the fixed order of the exit clean-up.
    void release();
};

} // namespace extdict

// scenario_player_win32 FILE.scn...        plays each file on the real program
// scenario_player_win32 --run N FILE DIR   (inside) plays run N of FILE in folder DIR
#include <windows.h>

#include <string>
#include <vector>

#include "play_run.h"
#include "toolkit/win32/wide_text.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(extdict::win32::gbkFromWide(argv[i]));
    if (args.size() == 4 && args[0] == "--run")
        extdict::player::playRun(args[2], std::stoul(args[1]), args[3]);
    return extdict::player::playFiles(args);
}

// scenario_player_win32 [--known LIST] FILE.scn...  plays each file on the real program,
//                                                  skipping the known differences listed
// scenario_player_win32 --run N FILE DIR   (inside) plays run N of FILE in folder DIR
// scenario_player_win32 --set-up FILE DIR  plays FILE's lines before its first start in DIR
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
    if (args.size() == 3 && args[0] == "--set-up") extdict::player::playSetUp(args[1], args[2]);
    extdict::player::KnownDifferences known;
    if (args.size() >= 2 && args[0] == "--known") {
        known = extdict::player::readKnownDifferences(args[1]);
        args.erase(args.begin(), args.begin() + 2);
    }
    return extdict::player::playFiles(args, known);
}

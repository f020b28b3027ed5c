#pragma once
// The program's start-up routine: runs the whole program on the given toolkit and services
// and gives the exit code (always 0).

#include "toolkit/services.h"
#include "toolkit/toolkit.h"

namespace extdict {

int runProgram(tk::Toolkit& ui, Services& services);

} // namespace extdict

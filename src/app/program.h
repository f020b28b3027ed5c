#pragma once
// The program's start-up routine: runs the whole program on the given toolkit and services.
// It never returns: the program ends through the toolkit's exit, always with code 0.

#include "toolkit/services.h"
#include "toolkit/toolkit.h"

namespace extdict {

[[noreturn]] void runProgram(tk::Toolkit& ui, Services& services);

} // namespace extdict

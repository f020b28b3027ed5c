#pragma once
// What the headless toolkit throws to unwind to the code that started the program. Neither
// derives from std::exception, so no handler of the program can catch it by accident.

#include <string>

namespace extdict {

// Thrown by HeadlessToolkit::exit after the exit clean-up ran.
struct HeadlessExit {
    int code = 0;
};

// The scripted user cannot do what the script asks (a hidden or disabled target, a control
// of the wrong kind, an answer that the box does not offer), or the program waits for a
// user whose script has nothing more to do. The message is UTF-8.
struct HeadlessScriptError {
    std::string message;
};

} // namespace extdict

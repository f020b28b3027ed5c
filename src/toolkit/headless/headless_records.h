#pragma once
// What the scripted user saw: message boxes and file dialogs, in the order shown.

#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace extdict {

enum class HowAnswered {
    Button,     // a queued answer
    CloseBox,   // a queued close (Esc or the close box)
    Unanswered, // nothing was queued: closed as with the close box
};

struct ShownMessageBox {
    std::string text; // GBK
    tk::MessageIcon icon = tk::MessageIcon::Information;
    tk::MessageButtons buttons = tk::MessageButtons::Ok;
    tk::Answer answer = tk::Answer::Ok;
    HowAnswered how = HowAnswered::Unanswered;
};

enum class FileDialogKind { Open, Save, MultiSelectOpen };

struct ShownFileDialog {
    FileDialogKind kind = FileDialogKind::Open;
    tk::FileDialogRequest request;   // the multi-select dialog has a title and a filter only
    std::vector<std::string> chosen; // empty when cancelled
    bool answered = false;
};

// A queued answer for the next file dialog: the paths chosen, or a cancel.
struct FileChoice {
    std::vector<std::string> paths; // GBK; exactly one for an open or save dialog
    bool cancel = false;
};

} // namespace extdict

// The input window's file commands: read a file in, append chosen paths, save the text.
#include "exchange/exchange_texts.h"
#include "exchange/input_window_session.h"
#include "exchange/text_file_decoding.h"

namespace extdict {
namespace {

bool inNormalMode(const InputWindowSession& s) {
    return s.context.ui.tag(s.controls.openButton) == kNormalModeTag;
}

// A file that cannot be read leaves the typed text alone and says so.
void readFileIntoInput(InputWindowSession& s) {
    tk::Toolkit& ui = s.context.ui;
    const std::string& title =
        inNormalMode(s) ? exchange_texts::readTitle() : exchange_texts::chooseFileTitle();
    const auto path = ui.fileDialog(inputFileDialogRequest(tk::FileDialogMode::Open, title));
    if (!path) return;
    const auto bytes = s.context.services.files().readWholeFile(*path);
    if (!bytes) {
        ui.messageBox(exchange_texts::fileUnreadable(), tk::MessageIcon::Warning,
                      tk::MessageButtons::Ok);
        return;
    }
    ui.setText(s.controls.inputArea, decodeTextFile(*bytes));
}

// Each path on a line of its own, with no line break after the last.
void appendChosenFileNames(InputWindowSession& s) {
    tk::Toolkit& ui = s.context.ui;
    const auto paths = ui.multiSelectOpenDialog(exchange_texts::chooseFileNamesTitle(),
                                                exchange_texts::fileNamesFilter());
    for (const std::string& path : paths) {
        if (ui.text(s.controls.inputArea).empty())
            ui.append(s.controls.inputArea, path);
        else
            ui.append(s.controls.inputArea, "\r\n" + path);
    }
}

} // namespace

bool openButtonClicked(InputWindowSession& s, const tk::Event&) {
    if (inNormalMode(s))
        readFileIntoInput(s);
    else
        appendChosenFileNames(s);
    return true;
}

bool openButtonRightReleased(InputWindowSession& s, const tk::Event&) {
    if (inNormalMode(s))
        appendChosenFileNames(s);
    else
        readFileIntoInput(s);
    return true;
}

bool saveInputAs(InputWindowSession& s, const tk::Event&) {
    tk::Toolkit& ui = s.context.ui;
    if (!ui.visible(s.controls.saveButton)) return true;
    const auto path = ui.fileDialog(
        inputFileDialogRequest(tk::FileDialogMode::Save, exchange_texts::saveTitle()));
    if (!path) return true;
    // An empty name names no file, whatever the file system would make of it.
    const bool written = !path->empty() && s.context.services.files().writeWholeFile(
                                               *path, ui.text(s.controls.inputArea));
    ui.messageBox(written ? exchange_texts::saveSucceeded() : exchange_texts::saveFailed(),
                  tk::MessageIcon::Information, tk::MessageButtons::Ok);
    return true;
}

} // namespace extdict

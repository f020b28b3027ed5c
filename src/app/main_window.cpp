// What belongs to the main window itself: the note box's layout, the length caption, and
// the two dictionary-wide commands.
#include "app/handlers.h"
#include "app/texts.h"

namespace extdict {
namespace {

int countUnmarkedRecords(const RecordStore& store) {
    int count = 0;
    for (int r = 1; r <= store.recordCount(); ++r)
        if (!store.isDeletedAt(r)) ++count;
    return count;
}

} // namespace

bool layoutMainWindow(App& app, const tk::Event&) {
    const tk::ControlRef window{app.main.window};
    app.ui.move(app.main.noteBox, std::nullopt, std::nullopt, app.ui.width(window) - 24,
                app.ui.height(window) - 115);
    return true;
}

bool showLengthCaption(App& app, const tk::Event&) {
    const auto noteBytes = app.ui.text(app.main.noteBox).size();
    app.ui.setText({app.main.window}, texts::lengthCaption(app.state.savedCaption, noteBytes));
    return true;
}

// Records marked deleted are gone for the user, so they are not counted.
bool countRecords(App& app, const tk::Event&) {
    app.ui.messageBox(texts::recordCountMessage(countUnmarkedRecords(app.store)),
                      tk::MessageIcon::Information, tk::MessageButtons::Ok);
    return true;
}

bool clearRecords(App& app, const tk::Event&) {
    const auto answer = app.ui.messageBox(texts::clearQuestion(), tk::MessageIcon::Question,
                                          tk::MessageButtons::OkCancel);
    if (answer == tk::Answer::Ok) app.store.clearAll();
    return true;
}

} // namespace extdict

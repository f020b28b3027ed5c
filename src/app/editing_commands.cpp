#include "app/editing_commands.h"

#include "app/status_flash.h"
#include "lookup/record_editing.h"

namespace extdict {
namespace {

RecordEditing editingOf(App& app) {
    return {app.ui,
            app.store,
            app.main.extensionBox,
            app.main.noteBox,
            app.state.suppressNextFilter,
            [&app](std::string_view message) { showStatus(app, message); },
            [&app] { waitAndRestoreCaption(app); }};
}

} // namespace

bool onAddClicked(App& app, const tk::Event&) {
    RecordEditing editing = editingOf(app);
    addRecordFromBoxes(editing);
    return true;
}

bool onModifyClicked(App& app, const tk::Event&) {
    RecordEditing editing = editingOf(app);
    modifyLookedUpRecord(editing);
    return true;
}

bool onDeleteClicked(App& app, const tk::Event&) {
    RecordEditing editing = editingOf(app);
    deleteLookedUpRecord(editing);
    return true;
}

} // namespace extdict

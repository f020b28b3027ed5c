#include "lookup/record_editing.h"

#include "lookup/editing_texts.h"
#include "text/gbk_chars.h"

namespace extdict {
namespace {

constexpr int kExtensionField = 1;
constexpr int kNoteField = 2;

void refuse(RecordEditing& editing, const std::string& message) {
    editing.ui.messageBox(message, tk::MessageIcon::Warning, tk::MessageButtons::Ok);
}

void flash(RecordEditing& editing, std::string_view message) {
    editing.showStatus(message);
    editing.waitAndRestoreCaption();
}

// Compared as it would be stored, so a text longer than the field cannot slip past.
bool anyUnmarkedRecordHas(const RecordStore& store, std::string_view extension) {
    const std::string_view stored = cutToWholeChars(extension, store.fieldWidth(kExtensionField));
    for (int r = 1; r <= store.recordCount(); ++r)
        if (!store.isDeletedAt(r) &&
            equalsIgnoringAsciiCase(store.fieldView(r, kExtensionField), stored))
            return true;
    return false;
}

bool hasLookedUpRecord(RecordEditing& editing) {
    const RecordStore& store = editing.store;
    if (store.isBeforeFirst() || store.isAfterLast() || store.isDeleted()) return false;
    return equalsIgnoringAsciiCase(store.readField(kExtensionField),
                                   editing.ui.text(editing.extensionBox));
}

} // namespace

void addRecordFromBoxes(RecordEditing& editing) {
    const std::string extension = editing.ui.text(editing.extensionBox);
    if (anyUnmarkedRecordHas(editing.store, extension)) {
        refuse(editing, editing_texts::duplicateExtension());
        return;
    }
    const bool ok = editing.store.addRecord(extension, editing.ui.text(editing.noteBox));
    flash(editing, ok ? editing_texts::addDone(extension) : editing_texts::addFailed(extension));
}

void modifyLookedUpRecord(RecordEditing& editing) {
    if (!hasLookedUpRecord(editing)) {
        refuse(editing, editing_texts::nothingToModify());
        return;
    }
    const std::string extension = editing.ui.text(editing.extensionBox);
    const bool ok = editing.store.writeField(kExtensionField, extension) &&
                    editing.store.writeField(kNoteField, editing.ui.text(editing.noteBox));
    flash(editing,
          ok ? editing_texts::modifyDone(extension) : editing_texts::modifyFailed(extension));
}

// The emptied extension box must not filter: the list keeps what it shows.
void deleteLookedUpRecord(RecordEditing& editing) {
    if (!hasLookedUpRecord(editing)) {
        refuse(editing, editing_texts::nothingToDelete());
        return;
    }
    const std::string extension = editing.ui.text(editing.extensionBox);
    const bool ok = editing.store.markDeleted();
    editing.showStatus(ok ? editing_texts::deleteDone(extension)
                          : editing_texts::deleteFailed(extension));
    if (ok) {
        editing.suppressNextFilter = true;
        editing.ui.setText(editing.extensionBox, "");
        editing.ui.setText(editing.noteBox, "");
    }
    editing.waitAndRestoreCaption();
}

} // namespace extdict

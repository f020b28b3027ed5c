#pragma once
// The add, modify and delete commands on the two boxes' texts and the store. Modify and
// delete act only on the looked-up record: the current record, not marked deleted, whose
// extension is the extension box's text with ASCII case ignored. Add refuses an extension
// that any unmarked record already has. Outcomes go to the window's caption for a while.

#include <functional>
#include <string_view>

#include "store/record_store.h"
#include "toolkit/toolkit.h"

namespace extdict {

struct RecordEditing {
    tk::Toolkit& ui;
    RecordStore& store;
    tk::ControlRef extensionBox, noteBox;
    // Set just before a successful delete empties the extension box.
    bool& suppressNextFilter;
    // The status caption in its two halves: show the message; wait, then the plain caption.
    std::function<void(std::string_view)> showStatus;
    std::function<void()> waitAndRestoreCaption;
};

void addRecordFromBoxes(RecordEditing& editing);
void modifyLookedUpRecord(RecordEditing& editing);
void deleteLookedUpRecord(RecordEditing& editing);

} // namespace extdict

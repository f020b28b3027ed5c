#pragma once
// Import: records in the exchange layout, typed, pasted or read into the text input window,
// added to the store unless their extension is already there.

#include <string_view>
#include <vector>

#include "exchange/input_window.h"
#include "store/record_store.h"

namespace extdict {

struct ImportEntry {
    std::string_view extension;
    std::string_view note;
};

// One entry per piece between ";;;": the text before its first ",,," is the extension, the
// text between the first and the second ",,," the note; the rest of the piece is dropped.
// The entries point into text.
std::vector<ImportEntry> parseExchangeText(std::string_view text);

// The entries worth adding: an entry is skipped when its extension, as the store would keep
// it, equals (ASCII case ignored) that of a record not marked deleted or of an earlier entry.
std::vector<ImportEntry> newEntries(const RecordStore& store,
                                    const std::vector<ImportEntry>& entries);

// Adds the new records of an exchange text in one go and puts the cursor back; false when
// the store could not write them (then none is added).
bool importExchangeText(RecordStore& store, std::string_view text);

struct ImportContext {
    RecordStore& store;
    InputWindowContext& inputWindow;
};

// Asks for the text, adds the new records in one go and says how that went.
void importRecords(ImportContext& context);

} // namespace extdict

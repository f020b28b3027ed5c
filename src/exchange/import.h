#pragma once
// Import: records in the exchange layout, typed, pasted or read into the text input window,
// added to the store unless their extension is already there.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
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

// The same entries one at a time, without keeping them, so that a huge text costs memory
// only for what is kept of it.
void forEachExchangeEntry(std::string_view text,
                          const std::function<void(const ImportEntry&)>& visit);

// The import's duplicate test, one entry at a time: an entry is skipped when its extension,
// as the store would keep it, equals (ASCII case ignored) that of a record not marked
// deleted or of an entry admitted before.
class NewEntryFilter {
public:
    explicit NewEntryFilter(const RecordStore& store);
    bool admit(const ImportEntry& entry);

private:
    std::unordered_set<std::string> taken_;
    std::size_t extensionWidth_;
};

// The entries worth adding, by the test above.
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

#include "exchange/import.h"

#include <string>
#include <unordered_set>

#include "exchange/exchange_texts.h"
#include "exchange/text_scan.h"
#include "text/gbk_chars.h"

namespace extdict {
namespace {

constexpr std::string_view kRecordSeparator = ";;;";
constexpr std::string_view kFieldSeparator = ",,,";
// The width of the extension field in the store's schema; longer texts are stored cut to the
// whole characters that fit.
constexpr std::size_t kExtensionFieldBytes = 50;

ImportEntry entryOf(std::string_view piece) {
    const auto fields = splitText(piece, kFieldSeparator);
    ImportEntry entry;
    if (fields.size() > 0) entry.extension = fields[0];
    if (fields.size() > 1) entry.note = fields[1];
    return entry;
}

// The extensions of the records the user can see, lower-cased.
std::unordered_set<std::string> storedExtensionKeys(const RecordStore& store) {
    std::unordered_set<std::string> keys;
    const int count = store.recordCount();
    keys.reserve(static_cast<std::size_t>(count));
    for (int record = 1; record <= count; ++record)
        if (!store.isDeletedAt(record)) keys.insert(toLower(store.fieldView(record, 1)));
    return keys;
}

bool addEntries(RecordStore& store, const std::vector<ImportEntry>& entries) {
    if (entries.empty()) return true;
    std::vector<RecordStore::NewRecord> records;
    records.reserve(entries.size());
    for (const ImportEntry& entry : entries)
        records.push_back({entry.extension, entry.note});
    return store.addRecords(records);
}

InputWindowRequest importRequest() {
    InputWindowRequest request;
    request.prompt = exchange_texts::importPrompt();
    request.caption = exchange_texts::importCaption();
    return request;
}

} // namespace

std::vector<ImportEntry> parseExchangeText(std::string_view text) {
    std::vector<ImportEntry> entries;
    for (std::string_view piece : splitText(text, kRecordSeparator))
        entries.push_back(entryOf(piece));
    return entries;
}

std::vector<ImportEntry> newEntries(const RecordStore& store,
                                    const std::vector<ImportEntry>& entries) {
    std::unordered_set<std::string> taken = storedExtensionKeys(store);
    taken.reserve(taken.size() + entries.size());
    std::vector<ImportEntry> kept;
    for (const ImportEntry& entry : entries) {
        // Two extensions that differ only beyond the field's width would be stored alike.
        const std::string_view stored = cutToWholeChars(entry.extension, kExtensionFieldBytes);
        if (taken.insert(toLower(stored)).second) kept.push_back(entry);
    }
    return kept;
}

bool importExchangeText(RecordStore& store, std::string_view text) {
    const auto entries = newEntries(store, parseExchangeText(text));
    const int current = store.currentRecord();
    const bool added = addEntries(store, entries);
    store.goTo(current);
    return added;
}

void importRecords(ImportContext& context) {
    if (!showInputWindow(context.inputWindow, importRequest())) return;
    const std::string text = context.inputWindow.inputResult;
    tk::Toolkit& ui = context.inputWindow.ui;
    if (importExchangeText(context.store, text))
        ui.messageBox(exchange_texts::importDone(), tk::MessageIcon::Information,
                      tk::MessageButtons::Ok);
    else
        ui.messageBox(exchange_texts::importNotSaved(), tk::MessageIcon::Warning,
                      tk::MessageButtons::Ok);
}

} // namespace extdict

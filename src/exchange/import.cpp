#include "exchange/import.h"

#include "exchange/exchange_texts.h"
#include "exchange/text_scan.h"
#include "text/gbk_chars.h"

namespace extdict {
namespace {

constexpr std::string_view kRecordSeparator = ";;;";
constexpr std::string_view kFieldSeparator = ",,,";

ImportEntry entryOf(std::string_view piece) {
    ImportEntry entry;
    int fields = 0;
    // Only the first two fields count, so the scan stops after them.
    forEachPiece(piece, kFieldSeparator, [&](std::string_view field) {
        (fields == 0 ? entry.extension : entry.note) = field;
        return ++fields < 2;
    });
    return entry;
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
    forEachExchangeEntry(text, [&](const ImportEntry& entry) { entries.push_back(entry); });
    return entries;
}

void forEachExchangeEntry(std::string_view text,
                          const std::function<void(const ImportEntry&)>& visit) {
    forEachPiece(text, kRecordSeparator, [&](std::string_view piece) {
        visit(entryOf(piece));
        return true;
    });
}

NewEntryFilter::NewEntryFilter(const RecordStore& store) : extensionWidth_(store.fieldWidth(1)) {
    const int count = store.recordCount();
    taken_.reserve(static_cast<std::size_t>(count));
    for (int record = 1; record <= count; ++record)
        if (!store.isDeletedAt(record)) taken_.insert(toLower(store.fieldView(record, 1)));
}

bool NewEntryFilter::admit(const ImportEntry& entry) {
    // Two extensions that differ only beyond the field's width would be stored alike.
    const std::string_view stored = cutToWholeChars(entry.extension, extensionWidth_);
    return taken_.insert(toLower(stored)).second;
}

std::vector<ImportEntry> newEntries(const RecordStore& store,
                                    const std::vector<ImportEntry>& entries) {
    NewEntryFilter filter(store);
    std::vector<ImportEntry> kept;
    for (const ImportEntry& entry : entries)
        if (filter.admit(entry)) kept.push_back(entry);
    return kept;
}

bool importExchangeText(RecordStore& store, std::string_view text) {
    NewEntryFilter filter(store);
    std::vector<RecordStore::NewRecord> records;
    forEachExchangeEntry(text, [&](const ImportEntry& entry) {
        if (filter.admit(entry)) records.push_back({entry.extension, entry.note});
    });
    const int current = store.currentRecord();
    const bool added = records.empty() || store.addRecords(records);
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

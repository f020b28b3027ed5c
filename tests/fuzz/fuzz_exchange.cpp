// The exchange reader and the import on arbitrary text, into a store that already holds
// arbitrary records (some marked deleted), on an in-memory disk that may fail once:
// - the reader follows a plain reading of the layout;
// - an import adds, in text order, exactly the entries whose extension (as stored) no
//   visible record and no earlier entry has, puts the cursor back, and is in the file;
// - an import that reports failure changed nothing;
// - an export of records that avoid the layout's documented losses reads back as they are.
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "exchange/export.h"
#include "exchange/import.h"
#include "exchange/text_scan.h"
#include "fuzz_store.h"
#include "fuzz_support.h"
#include "support/faulty_file_system.h"
#include "text/encoding.h"
#include "text/gbk_chars.h"

using namespace extdict;
using extdict::fuzz::check;
using extdict::fuzz::Row;
using extdict::fuzz::Rows;

namespace {

const std::string kPath = "C:\\fuzz\\store.edb";
constexpr std::size_t kExtensionWidth = 50;
constexpr std::size_t kNoteWidth = 512;

struct Entry {
    std::string_view extension;
    std::string_view note;
};

bool isWide(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// The pieces between separators, scanning one character at a time; no empty last piece.
std::vector<std::string_view> referenceSplit(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    std::size_t at = 0;
    while (at + separator.size() <= text.size()) {
        if (text.substr(at, separator.size()) == separator) {
            pieces.push_back(text.substr(start, at - start));
            at += separator.size();
            start = at;
        } else {
            at += isWide(text[at]) ? 2 : 1;
        }
    }
    if (start < text.size()) pieces.push_back(text.substr(start));
    return pieces;
}

std::vector<Entry> referenceParse(std::string_view text) {
    std::vector<Entry> entries;
    for (const auto piece : referenceSplit(text, ";;;")) {
        const auto fields = referenceSplit(piece, ",,,");
        entries.push_back({fields.size() > 0 ? fields[0] : "", fields.size() > 1 ? fields[1] : ""});
    }
    return entries;
}

Row storedRow(const Entry& entry) {
    return {std::string(cutToWholeChars(entry.extension, kExtensionWidth)),
            std::string(cutToWholeChars(entry.note, kNoteWidth)), false};
}

// The store's records before the import, plus each entry that is new to the visible ones.
Rows expectedAfterImport(const Rows& before, const std::vector<Entry>& entries) {
    Rows rows = before;
    std::unordered_set<std::string> taken;
    for (const Row& row : before)
        if (!row.deleted) taken.insert(toLower(row.extension));
    for (const Entry& entry : entries) {
        Row row = storedRow(entry);
        if (taken.insert(toLower(row.extension)).second) rows.push_back(std::move(row));
    }
    return rows;
}

// Where the scan that reads the layout sees the field's last character start; the field's
// size when the field ends in the middle of one (which then swallows the separator's first
// byte).
std::size_t lastCharStart(std::string_view field) {
    std::size_t at = 0;
    std::size_t last = 0;
    while (at < field.size()) {
        last = at;
        at += isWide(field[at]) ? 2 : 1;
    }
    return at > field.size() ? field.size() : last;
}

bool endsMidChar(std::string_view field) { return !field.empty() && lastCharStart(field) == field.size(); }

bool endsWithOneByte(std::string_view field, char byte) {
    return !field.empty() && lastCharStart(field) == field.size() - 1 && field.back() == byte;
}

bool survivesAsField(std::string_view field) {
    return findAllOccurrences(";;;", field).empty() && findAllOccurrences(",,,", field).empty() &&
           !endsMidChar(field);
}

// None of the layout's documented losses applies to these rows (in export order).
bool survivesExchangeLayout(const std::vector<Row>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        if (!survivesAsField(row.extension) || !survivesAsField(row.note)) return false;
        if (endsWithOneByte(row.extension, ',')) return false;
        if (i + 1 < rows.size() && endsWithOneByte(row.note, ';')) return false;
    }
    return true;
}

void checkRoundTrip(const RecordStore& store) {
    Rows visible;
    for (const Row& row : fuzz::rowsOf(store))
        if (!row.deleted) visible.push_back(row);
    if (!survivesExchangeLayout(visible)) return;
    const std::string text = buildExportText(store, ExportLayout::Exchange);
    const auto entries = parseExchangeText(text);
    check(entries.size() == visible.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        check(entries[i].extension == visible[i].extension && entries[i].note == visible[i].note);
}

void fillStore(RecordStore& store, std::string_view storedText) {
    const auto entries = referenceParse(storedText);
    std::vector<RecordStore::NewRecord> records;
    for (const Entry& entry : entries) records.push_back({entry.extension, entry.note});
    check(store.addRecords(records));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].note.starts_with('*')) continue;
        store.goTo(static_cast<int>(i) + 1);
        check(store.markDeleted());
    }
}

void checkReader(std::string_view text) {
    const auto parsed = parseExchangeText(text);
    const auto reference = referenceParse(text);
    check(parsed.size() == reference.size());
    for (std::size_t i = 0; i < parsed.size(); ++i)
        check(parsed[i].extension == reference[i].extension && parsed[i].note == reference[i].note);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint8_t cursorPick = input.byte();
    const std::uint8_t faultPick = input.byte();
    const std::string_view storedText = input.until(std::string_view("\0", 1));
    const std::string_view text = untilNul(input.rest());
    checkReader(text);

    test::FaultyFileSystem files;
    RecordStore store(files);
    check(store.create(kPath, {{gbk("扩展名"), 10, 50}, {gbk("注释"), 10, 512}}) && store.open(kPath));
    fillStore(store, storedText);
    store.goTo(1 + cursorPick % std::max(store.recordCount(), 1));
    const int cursor = store.currentRecord();
    const Rows before = fuzz::rowsOf(store);

    if (faultPick & 0x80)
        files.failAt(1 + (faultPick & 0x1F),
                     faultPick & 0x40 ? test::Fault::FailsAfterEffect : test::Fault::FailsCleanly);
    const bool imported = importExchangeText(store, text);
    const bool faultHit = files.faultHit();
    files.disarm();

    const Rows after = fuzz::rowsOf(store);
    check(store.currentRecord() == cursor);
    check(imported || faultHit);
    check(after == (imported ? expectedAfterImport(before, referenceParse(text)) : before));
    store.close();
    check(fuzz::reopenedRows(files, kPath) == after);
    check(store.open(kPath));
    checkRoundTrip(store);
    return 0;
}

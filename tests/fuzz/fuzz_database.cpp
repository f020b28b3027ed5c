// A store file of arbitrary bytes, on an in-memory disk that may fail once:
// - a file that does not open is left as it was, and can be moved aside whole;
// - a store that opens reads every record consistently by number and through the cursor;
//   a write, an add, a mark and a purge each either happen whole or (failing) not at all,
//   and a reopen finds exactly what the store held.
// The first byte of the input picks the fault, and whether the file's checksums are made
// right again after the fuzzer changed it (so that changes reach the checks behind them);
// the rest is the file.
#include <cstdint>
#include <string>

#include "fuzz_store.h"
#include "fuzz_support.h"
#include "store/checksum.h"
#include "store/file_format.h"
#include "support/faulty_file_system.h"
#include "text/encoding.h"
#include "text/gbk_chars.h"

using namespace extdict;
using extdict::fuzz::check;
using extdict::fuzz::Row;
using extdict::fuzz::Rows;

namespace {

const std::string kPath = "C:\\fuzz\\store.edb";
constexpr std::size_t kLongerThanAnyField = 70000;

void checkReads(RecordStore& store) {
    const int count = store.recordCount();
    check(count >= 0);
    check(store.isBeforeFirst() == (count == 0) && store.isAfterLast() == (count == 0));
    check(store.currentRecord() == 1);
    for (int record = 1; record <= count; ++record) {
        store.goTo(record);
        check(store.currentRecord() == record);
        for (int k = 1; k <= 2; ++k) {
            const std::string text = store.readField(k);
            check(text == store.fieldView(record, k));
            check(text.find('\0') == std::string::npos);
        }
        check(store.readField(0).empty() && store.readField(3).empty());
        check(store.isDeleted() == store.isDeletedAt(record));
    }
    check(store.fieldView(0, 1).empty() && store.fieldView(count + 1, 1).empty());
    store.goTo(1);
}

// Runs one change and checks it happened whole or, when it failed, not at all; the model
// follows what the store now holds.
template <typename Change>
void expectWholeOrNothing(RecordStore& store, Rows& model, const Rows& wanted, Change change) {
    const bool done = change();
    const Rows now = fuzz::rowsOf(store);
    check(now == wanted || (!done && now == model));
    model = now;
}

struct Widths {
    std::size_t extension = 0;
    std::size_t note = 0;
};

// A field's width, found by writing a text longer than any field into the current record and
// reading it back; the field then holds its old text again (cut to whole characters).
std::size_t widthOf(RecordStore& store, int k) {
    const std::string before = store.readField(k);
    check(store.writeField(k, std::string(kLongerThanAnyField, 'w')));
    const std::size_t width = store.readField(k).size();
    check(width >= 1 && store.writeField(k, before));
    return width;
}

Widths widthsOf(RecordStore& store) {
    if (store.recordCount() == 0) check(store.addRecord("seed", "seed"));
    store.goTo(1);
    return {widthOf(store, 1), widthOf(store, 2)};
}

void runChanges(RecordStore& store, Rows& model, const Widths& widths) {
    const std::string extension = gbk("新扩展名文本");
    const std::string note = gbk("注释") + "\r\n" + std::string(600, 'n');
    store.goTo(1);
    Rows wanted = model;
    wanted[0].extension = std::string(cutToWholeChars(extension, widths.extension));
    expectWholeOrNothing(store, model, wanted, [&] { return store.writeField(1, extension); });

    wanted = model;
    wanted[0].deleted = true;
    expectWholeOrNothing(store, model, wanted, [&] { return store.markDeleted(); });

    wanted = model;
    wanted.push_back({"fz", std::string(cutToWholeChars(note, widths.note)), false});
    if (widths.extension < 2) wanted.back().extension.resize(widths.extension);
    expectWholeOrNothing(store, model, wanted, [&] { return store.addRecord("fz", note); });

    wanted.clear();
    for (const Row& row : model)
        if (!row.deleted) wanted.push_back(row);
    expectWholeOrNothing(store, model, wanted, [&] { return store.purgeDeleted(); });
}

void armFault(test::FaultyFileSystem& files, std::uint8_t pick) {
    if (pick & 0x80)
        files.failAt(1 + (pick & 0x1F), pick & 0x40 ? test::Fault::FailsAfterEffect : test::Fault::FailsCleanly);
}

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void putU32At(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Puts the checksum of bytes [from, to) at `to`, when the file holds them.
void sealRange(std::string& bytes, std::size_t from, std::size_t to) {
    if (bytes.size() >= to + 4) putU32At(bytes, to, crc32(std::string_view(bytes).substr(from, to - from)));
}

// The checksums of the header, both commit slots and the journal, made right for what the
// file now holds (see docs/database-format.md).
void repairChecksums(std::string& bytes) {
    if (bytes.size() >= format::kHeaderSize && u32At(bytes, 12) <= format::kMaxDescriptors)
        sealRange(bytes, 0, 24 + 40 * u32At(bytes, 12));
    for (const std::uint64_t slot : format::kCommitSlotOffsets) sealRange(bytes, slot, slot + 28);
    const std::size_t journal = format::kJournalOffset;
    if (bytes.size() < journal + format::kJournalHeaderSize) return;
    const std::size_t imageSize = u32At(bytes, journal + 4);
    const std::size_t imageAt = journal + format::kJournalHeaderSize;
    if (bytes.size() < imageAt + imageSize) return;
    const std::string_view view(bytes);
    putU32At(bytes, journal + 16, crc32(view.substr(imageAt, imageSize), crc32(view.substr(journal, 16))));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint8_t faultPick = input.byte();
    std::string bytes(input.rest());
    if (faultPick & 0x20) repairChecksums(bytes);

    test::FaultyFileSystem files;
    files.putFile(kPath, bytes);
    RecordStore store(files);
    if (!store.open(kPath)) {
        check(files.contents(kPath) == bytes);
        const auto aside = RecordStore::moveAside(files, kPath);
        check(aside && files.contents(*aside) == bytes && !files.exists(kPath));
        return 0;
    }
    checkReads(store);
    Rows model = fuzz::rowsOf(store);
    store.close();
    check(fuzz::reopenedRows(files, kPath) == model);

    check(store.open(kPath));
    const Widths widths = widthsOf(store);
    model = fuzz::rowsOf(store);
    armFault(files, faultPick);
    runChanges(store, model, widths);
    files.disarm();
    store.close();
    check(fuzz::reopenedRows(files, kPath) == model);
    return 0;
}

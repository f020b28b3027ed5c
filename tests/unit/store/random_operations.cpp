#include "random_operations.h"

#include "text/gbk_chars.h"

namespace extdict::test {
namespace {

constexpr std::size_t kExtensionWidth = 50;
constexpr std::size_t kNoteWidth = 512;
constexpr std::uint32_t kMaxBulk = 100;

// Up to `maxBytes` of ASCII letters, Chinese characters and, rarely, a NUL.
std::string randomText(std::uint32_t seed, std::size_t maxBytes) {
    std::mt19937 random(seed);
    const std::size_t length = random() % (maxBytes + 1);
    std::string text;
    while (text.size() < length) {
        const auto pick = random() % 100;
        if (pick == 0) {
            text.push_back('\0');
        } else if (pick < 40) {
            text.push_back(static_cast<char>(0xB0 + random() % 0x48));
            text.push_back(static_cast<char>(0xA1 + random() % 0x5E));
        } else {
            text.push_back(static_cast<char>('a' + random() % 26));
        }
    }
    return text;
}

std::string extensionText(std::uint32_t seed) { return randomText(seed, 60); }
std::string noteText(std::uint32_t seed) { return randomText(seed ^ 0x9E3779B9u, 600); }

std::string stored(const std::string& text, std::size_t width) {
    return std::string(cutToWholeChars(untilNul(text), width));
}

Row newRow(std::uint32_t seed) {
    return {stored(extensionText(seed), kExtensionWidth), stored(noteText(seed), kNoteWidth),
            false};
}

std::uint32_t bulkSize(std::uint32_t seed) { return 1 + seed % kMaxBulk; }

ChangeKind randomKind(std::mt19937& random, int recordCount) {
    const auto pick = random() % 100;
    if (recordCount == 0 || pick < 30) return ChangeKind::Add;
    if (pick < 38) return ChangeKind::BulkAdd;
    if (pick < 56) return ChangeKind::WriteExtension;
    if (pick < 74) return ChangeKind::WriteNote;
    if (pick < 93) return ChangeKind::Mark;
    if (pick < 99) return ChangeKind::Purge;
    return ChangeKind::Clear;
}

} // namespace

Change randomChange(std::mt19937& random, int recordCount) {
    Change change;
    change.kind = randomKind(random, recordCount);
    change.record = recordCount > 0 ? 1 + static_cast<std::int32_t>(random() % recordCount) : 0;
    change.seed = random();
    return change;
}

bool applyToStore(RecordStore& store, const Change& change) {
    store.goTo(change.record);
    switch (change.kind) {
    case ChangeKind::Add: return store.addRecord(extensionText(change.seed), noteText(change.seed));
    case ChangeKind::BulkAdd: {
        std::vector<std::string> texts;
        for (std::uint32_t i = 0; i < bulkSize(change.seed); ++i) {
            texts.push_back(extensionText(change.seed + i));
            texts.push_back(noteText(change.seed + i));
        }
        std::vector<RecordStore::NewRecord> records;
        for (std::size_t i = 0; i < texts.size(); i += 2)
            records.push_back({texts[i], texts[i + 1]});
        return store.addRecords(records);
    }
    case ChangeKind::WriteExtension: return store.writeField(1, extensionText(change.seed));
    case ChangeKind::WriteNote: return store.writeField(2, noteText(change.seed));
    case ChangeKind::Mark: return store.markDeleted();
    case ChangeKind::Purge: return store.purgeDeleted();
    case ChangeKind::Clear: return store.clearAll();
    }
    return false;
}

void applyToModel(Rows& rows, const Change& change) {
    const auto at = static_cast<std::size_t>(change.record - 1);
    switch (change.kind) {
    case ChangeKind::Add: rows.push_back(newRow(change.seed)); break;
    case ChangeKind::BulkAdd:
        for (std::uint32_t i = 0; i < bulkSize(change.seed); ++i)
            rows.push_back(newRow(change.seed + i));
        break;
    case ChangeKind::WriteExtension: rows[at].extension = newRow(change.seed).extension; break;
    case ChangeKind::WriteNote: rows[at].note = newRow(change.seed).note; break;
    case ChangeKind::Mark: rows[at].deleted = true; break;
    case ChangeKind::Purge: std::erase_if(rows, [](const Row& row) { return row.deleted; }); break;
    case ChangeKind::Clear: rows.clear(); break;
    }
}

} // namespace extdict::test

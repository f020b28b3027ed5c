// The indexed filter against the plain algorithm on random stores: same items, values,
// visibility, selection, chosen record, note and cursor, whatever happened to the store.
#include <gtest/gtest.h>

#include <random>

#include "literal_filter.h"
#include "lookup_window.h"
#include "text/encoding.h"

namespace extdict::test {
namespace {

// Pieces that make near-misses likely: letters in both cases, pinyin initials, the characters
// they stand for, digits, a byte of 0x80, and a lone lead byte as a cut field leaves it.
const std::vector<std::string> kPieces = {
    "t", "T", "x", "w", "W", "b", "z", "Z", "a", "7", ".", gbk("文"), gbk("本"), gbk("中"),
    gbk("行"), gbk("啊"), gbk("Ａ"), "\x80", "\x80" "A", "\xB0",
};

std::string randomText(std::mt19937& random, int maxPieces) {
    std::uniform_int_distribution<int> length(0, maxPieces);
    std::uniform_int_distribution<std::size_t> piece(0, kPieces.size() - 1);
    std::string text;
    for (int i = length(random); i > 0; --i) text += kPieces[piece(random)];
    return text;
}

struct Seen {
    std::vector<std::string> items;
    std::vector<int> values;
    bool shown;
    int selection;
    int chosenRecord;
    std::string note;
    int cursor;
    bool operator==(const Seen&) const = default;
};

Seen seen(LookupWindow& w, int chosenRecord) {
    return {w.items(), w.itemValues(), w.listShown(), w.selection(), chosenRecord,
            w.ui.text(w.note), w.store.currentRecord()};
}

// Both filters start from the same state, so that neither can pass on what the other did.
void resetView(LookupWindow& w, int cursor, bool shown) {
    w.ui.listClear(w.list);
    w.ui.listAdd(w.list, "stale");
    w.ui.setVisible(w.list, shown);
    w.ui.setText(w.note, "untouched");
    w.store.goTo(cursor);
}

void changeStore(LookupWindow& w, std::mt19937& random) {
    const int count = w.store.recordCount();
    std::uniform_int_distribution<int> what(0, 9), record(1, std::max(count, 1));
    switch (what(random)) {
    case 0:
        w.store.goTo(record(random));
        w.store.markDeleted();
        break;
    case 1:
        w.store.goTo(record(random));
        w.store.writeField(1, randomText(random, 4));
        break;
    case 2:
        if (what(random) == 0) w.store.purgeDeleted();
        break;
    default:
        w.store.addRecord(randomText(random, 4), randomText(random, 2));
    }
}

TEST(MatchListDifferential, IndexedFilterEqualsThePlainAlgorithm) {
    std::mt19937 random(20240611);
    for (int store = 0; store < 40; ++store) {
        LookupWindow w({}, LookupWindow::Wiring::None);
        for (int step = 0; step < 60; ++step) {
            changeStore(w, random);
            const std::string typed = randomText(random, 3);
            const int cursor = std::uniform_int_distribution<int>(1, 60)(random);
            const bool shown = step % 2 == 0;
            w.ui.setText(w.edit, typed);

            resetView(w, cursor, shown);
            int literalChosen = -3;
            literal::Controls plain{w.ui, w.store, w.edit, w.list, w.note, literalChosen};
            literal::filter(plain);
            const Seen expected = seen(w, literalChosen);

            resetView(w, cursor, shown);
            w.matchList.chosenRecord = -3;
            w.matchList.filter();
            ASSERT_EQ(seen(w, w.matchList.chosenRecord), expected)
                << "store " << store << " step " << step << " typed " << utf8FromGbk(typed);
        }
    }
}

} // namespace
} // namespace extdict::test

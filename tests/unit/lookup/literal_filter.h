#pragma once
// The match list's filter as the plain algorithm: walk the store with its cursor, lower-case
// every extension again, take each character out of both texts and ask for its pinyin when
// they differ. The yardstick that the indexed filter must equal, and beat for speed.

#include "lookup/pinyin.h"
#include "store/record_store.h"
#include "text/gbk_chars.h"
#include "toolkit/toolkit.h"

namespace extdict::literal {

struct Controls {
    tk::Toolkit& ui;
    RecordStore& store;
    tk::ControlRef edit, list, note;
    int& chosenRecord;
};

inline void showNote(Controls& c) {
    c.store.goTo(c.chosenRecord);
    c.ui.setText(c.note, c.store.readField(2));
    c.ui.setVisible(c.list, false);
}

inline bool positionsMatch(const Text& typed, const Text& extension, int n) {
    for (int j = 1; j <= n; ++j) {
        const Text t = takeChars(typed, j, 1);
        const Text c = takeChars(extension, j, 1);
        if (c == t) continue;
        const std::string pinyin = pinyinOf(c, 1);
        if (pinyin.empty() || pinyin.substr(0, 1) != t) return false;
    }
    return true;
}

inline void filter(Controls& c) {
    const Text typed = toLower(c.ui.text(c.edit));
    const int n = charCount(typed);
    c.ui.listClear(c.list);
    for (int r = 1; r <= c.store.recordCount(); ++r) {
        c.store.goTo(r);
        if (c.store.isDeleted()) continue;
        const Text extension = toLower(c.store.readField(1));
        if (extension == typed) {
            c.chosenRecord = r;
            showNote(c);
            return;
        }
        if (charCount(extension) < n || !positionsMatch(typed, extension, n)) continue;
        const int item = c.ui.listAdd(c.list, extension);
        c.ui.setListItemValue(c.list, item, r);
    }
    if (c.ui.listCount(c.list) == 0) {
        c.ui.setVisible(c.list, false);
        return;
    }
    c.ui.setVisible(c.list, true);
    c.ui.setListSelection(c.list, 0);
}

} // namespace extdict::literal

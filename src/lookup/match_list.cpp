#include "lookup/match_list.h"

namespace extdict {
namespace {

constexpr int kExtensionField = 1;
constexpr int kNoteField = 2;

tk::ControlRef noteBoxOf(const MatchList& list) {
    return {list.editBox.window, list.ui.controlNamed(list.editBox.window, list.noteBoxName)};
}

void addItem(MatchList& list, std::string_view text, int record) {
    const int item = list.ui.listAdd(list.listBox, text);
    list.ui.setListItemValue(list.listBox, item, record);
}

void showFromFirstItem(MatchList& list) {
    list.ui.setVisible(list.listBox, true);
    list.ui.setListSelection(list.listBox, 0);
}

// A walk over every record leaves the store's cursor on the last one, marked or not.
void leaveCursorOnLastRecord(MatchList& list) {
    if (list.index.recordCount() > 0) list.store.goTo(list.index.recordCount());
}

void destroyList(MatchList& list) {
    list.index.release();
}

MatchList* copyList(const MatchList& list) {
    return new MatchList(list);
}

void bindList(MatchList& list, int editWindow, int editControl, int listWindow, int listControl) {
    list.editBox = {editWindow, editControl};
    list.listBox = {listWindow, listControl};
}

// Lists, in record order, every unmarked record whose extension starts with the typed
// characters; an exact match (ASCII case ignored) shows its note at once instead. Records
// whose first character cannot match are skipped without a look.
void filterList(MatchList& list) {
    const Text typed = toLower(list.ui.text(list.editBox));
    std::vector<GbkChar> typedChars;
    splitChars(typed, typedChars);
    list.index.update(list.store);
    list.ui.listClear(list.listBox);
    const bool walkedToTheEnd = list.index.forEachCandidate(typedChars, [&](int r) {
        if (list.index.isMarked(r)) return true;
        const std::string_view extension = list.index.loweredExtension(r);
        if (extension == typed) {
            list.chosenRecord = r;
            list.showNote();
            return false;
        }
        if (list.index.matchesTyped(r, typedChars)) addItem(list, extension, r);
        return true;
    });
    if (!walkedToTheEnd) return;
    leaveCursorOnLastRecord(list);
    if (list.ui.listCount(list.listBox) == 0)
        list.ui.setVisible(list.listBox, false);
    else
        showFromFirstItem(list);
}

void chooseItem(MatchList& list) {
    const int item = list.ui.listSelection(list.listBox);
    list.chosenRecord = list.ui.listItemValue(list.listBox, item);
    list.ui.setText(list.editBox, list.ui.listItemText(list.listBox, item));
    list.ui.setSelectionStart(list.editBox, static_cast<int>(list.ui.text(list.editBox).size()));
    list.showNote();
}

void showChosenNote(MatchList& list) {
    list.store.goTo(list.chosenRecord);
    list.ui.setText(noteBoxOf(list), list.store.readField(kNoteField));
    list.ui.setVisible(list.listBox, false);
}

// Every unmarked record, its extension as stored.
void showCompleteList(MatchList& list) {
    list.index.update(list.store);
    list.ui.listClear(list.listBox);
    for (int r = 1; r <= list.index.recordCount(); ++r)
        if (!list.index.isMarked(r)) addItem(list, list.store.fieldView(r, kExtensionField), r);
    leaveCursorOnLastRecord(list);
    showFromFirstItem(list);
}

// Wrapping comes first, so Ctrl+Down on the last item goes to the first.
void selectNext(MatchList& list, int modifiers) {
    const int selection = list.ui.listSelection(list.listBox);
    const int last = list.ui.listCount(list.listBox) - 1;
    if (selection == last)
        list.ui.setListSelection(list.listBox, 0);
    else if (modifiers == tk::modifier::Ctrl)
        list.ui.setListSelection(list.listBox, last);
    else
        list.ui.setListSelection(list.listBox, selection + 1);
}

void selectPrevious(MatchList& list, int modifiers) {
    const int selection = list.ui.listSelection(list.listBox);
    const int last = list.ui.listCount(list.listBox) - 1;
    if (selection == 0)
        list.ui.setListSelection(list.listBox, last);
    else if (modifiers == tk::modifier::Ctrl)
        list.ui.setListSelection(list.listBox, 0);
    else
        list.ui.setListSelection(list.listBox, selection - 1);
}

// A shown but empty list has nothing to choose: the key does nothing.
void chooseSelected(MatchList& list) {
    if (list.ui.listCount(list.listBox) == 0) return;
    if (list.ui.listSelection(list.listBox) == -1) list.ui.setListSelection(list.listBox, 0);
    list.choose();
}

// False consumes the key: the edit box does not receive it.
bool keyDown(MatchList& list, int key, int modifiers) {
    if (!list.ui.visible(list.listBox)) {
        if (key == tk::key::Enter) showCompleteList(list);
        return true;
    }
    switch (key) {
    case tk::key::Down:
        selectNext(list, modifiers);
        return false;
    case tk::key::Up:
        selectPrevious(list, modifiers);
        return false;
    case tk::key::Enter:
    case tk::key::Space:
        chooseSelected(list);
        return false;
    case tk::key::Escape:
        list.ui.setVisible(list.listBox, false);
        return true;
    default:
        return true;
    }
}

void keyUp(MatchList& list, int key, int) {
    const bool sideways = key == tk::key::Left || key == tk::key::Right;
    const bool upOrDown = key == tk::key::Up || key == tk::key::Down;
    if (sideways || (upOrDown && !list.ui.visible(list.listBox))) list.filter();
}

constexpr MatchList::Operations kOperations{
    destroyList, copyList, bindList, filterList, chooseItem, showChosenNote, keyDown, keyUp,
};

} // namespace

MatchList::MatchList(tk::Toolkit& ui, RecordStore& store, std::string noteBoxName)
    : operations(&kOperations), ui(ui), store(store), noteBoxName(std::move(noteBoxName)) {}

} // namespace extdict

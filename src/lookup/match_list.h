#pragma once
// The incremental lookup: filters the stored extensions into the list box as the user types,
// shows an exact match's note at once, and lets the keys drive the list.

#include <string>

#include "lookup/filter_index.h"
#include "store/record_store.h"
#include "toolkit/toolkit.h"

namespace extdict {

class MatchList {
public:
    // The table of operations, in this order.
    struct Operations {
        void (*destroy)(MatchList&);
        MatchList* (*copy)(const MatchList&);
        void (*bind)(MatchList&, int editWindow, int editControl, int listWindow, int listControl);
        void (*filter)(MatchList&);
        void (*choose)(MatchList&);
        void (*showNote)(MatchList&);
        bool (*onKeyDown)(MatchList&, int key, int modifiers);
        void (*onKeyUp)(MatchList&, int key, int modifiers);
    };

    // noteBoxName: the form name of the note box in the edit box's window.
    MatchList(tk::Toolkit& ui, RecordStore& store, std::string noteBoxName);

    const Operations* operations;
    tk::ControlRef editBox;
    tk::ControlRef listBox;
    int chosenRecord = 0;

    void destroy() { operations->destroy(*this); }
    void bind(int editWindow, int editControl, int listWindow, int listControl) {
        operations->bind(*this, editWindow, editControl, listWindow, listControl);
    }
    void filter() { operations->filter(*this); }
    void choose() { operations->choose(*this); }
    void showNote() { operations->showNote(*this); }
    bool onKeyDown(int key, int modifiers) { return operations->onKeyDown(*this, key, modifiers); }
    void onKeyUp(int key, int modifiers) { operations->onKeyUp(*this, key, modifiers); }

    tk::Toolkit& ui;
    RecordStore& store;
    std::string noteBoxName;
    // The records as the filter needs them, so that a keystroke costs no store reads.
    FilterIndex index;
};

} // namespace extdict

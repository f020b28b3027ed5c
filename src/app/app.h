#pragma once
// Everything a handler of the program can reach: the toolkit, the platform services, the
// store, the state, and the main window's controls once it is loaded.

#include "app/app_state.h"
#include "store/record_store.h"
#include "toolkit/services.h"
#include "toolkit/toolkit.h"

namespace extdict {

// The main window's controls, resolved from their form names when the window is created.
struct MainControls {
    tk::WindowId window = 0;
    tk::ControlRef countButton, listBox, encyclopediaLink, encyclopediaButton, clearButton,
        exportButton, importButton, deleteButton, modifyButton, noteBox, addButton, extensionBox,
        descriptionLabel;
};

struct App {
    App(tk::Toolkit& ui, Services& services);

    tk::Toolkit& ui;
    Services& services;
    RecordStore store;
    AppState state;
    MainControls main;
};

} // namespace extdict

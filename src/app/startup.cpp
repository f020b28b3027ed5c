// The main window's created handler: open (or create) the database, then prepare the window.
#include "app/handlers.h"
#include "app/main_controls.h"
#include "app/texts.h"

namespace extdict {
namespace {

std::vector<FieldDescriptor> storeFields() {
    return {{texts::extensionFieldName(), 10, 50}, {texts::noteFieldName(), 10, 512}};
}

void failStartUp(App& app, const std::string& message) {
    app.ui.messageBox(message, tk::MessageIcon::Warning, tk::MessageButtons::Ok);
    app.ui.exit(0);
}

// A file that exists and can be written but is no usable store is kept under a new name,
// never overwritten. A file that cannot even be written cannot be replaced either.
std::optional<std::string> setAsideUnusableFile(App& app, const std::string& path) {
    FileSystem& files = app.services.files();
    if (!files.exists(path)) return std::nullopt;
    if (!files.open(path, OpenMode::ReadWrite)) failStartUp(app, texts::createFailed());
    auto newPath = RecordStore::moveAside(files, path);
    if (!newPath) failStartUp(app, texts::createFailed());
    return newPath;
}

void openOrCreateStore(App& app) {
    const std::string& path = app.state.databasePath;
    if (app.store.open(path)) return;
    const auto movedTo = setAsideUnusableFile(app, path);
    if (!app.store.create(path, storeFields())) failStartUp(app, texts::createFailed());
    if (!app.store.open(path)) failStartUp(app, texts::openAfterCreateFailed());
    if (movedTo)
        app.ui.messageBox(texts::damagedDatabaseMovedAside(*movedTo), tk::MessageIcon::Warning,
                          tk::MessageButtons::Ok);
}

} // namespace

bool onMainWindowCreated(App& app, const tk::Event& event) {
    app.main = resolveMainControls(app.ui, event.source.window);
    app.state.databasePath =
        app.services.joinPath(app.services.executableDirectory(), texts::databaseFileName());
    openOrCreateStore(app);
    app.store.purgeDeleted();
    const MainControls& c = app.main;
    app.state.matchList.bind(c.extensionBox.window, c.extensionBox.control, c.listBox.window,
                             c.listBox.control);
    app.state.savedCaption = app.ui.text({c.window});
    app.ui.setText(c.noteBox, texts::helpText());
    if (app.ui.hasIcon(c.window)) app.ui.setTrayIcon(c.window, texts::trayTip());
    return true;
}

bool onMainWindowDestroying(App& app, const tk::Event&) {
    app.store.purgeDeleted();
    app.store.close();
    return true;
}

bool onTrayEvent(App& app, const tk::Event& event) {
    const tk::ControlRef window{app.main.window};
    if (event.trayKind == 1) app.ui.setVisible(window, !app.ui.visible(window));
    if (event.trayKind == 3) app.ui.exit(0);
    return true;
}

} // namespace extdict

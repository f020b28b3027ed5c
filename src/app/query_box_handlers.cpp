#include "app/query_box_handlers.h"

#include "app/texts.h"
#include "lookup/query_box.h"

namespace extdict {
namespace {

QueryBox queryBoxOf(App& app) {
    const MainControls& c = app.main;
    return {app.ui,
            app.services,
            app.state.matchList,
            c.extensionBox,
            c.noteBox,
            c.listBox,
            c.descriptionLabel,
            c.encyclopediaLink,
            texts::helpText(),
            app.state.encyclopediaCache.extension,
            app.state.suppressNextFilter};
}

} // namespace

bool onExtensionTextChanged(App& app, const tk::Event&) {
    QueryBox box = queryBoxOf(app);
    onQueryTextChanged(box);
    return true;
}

bool onExtensionKeyDown(App& app, const tk::Event& event) {
    QueryBox box = queryBoxOf(app);
    return onQueryKeyDown(box, event.key, event.modifiers);
}

bool onExtensionKeyUp(App& app, const tk::Event& event) {
    QueryBox box = queryBoxOf(app);
    onQueryKeyUp(box, event.key, event.modifiers);
    return true;
}

bool onExtensionDoubleClicked(App& app, const tk::Event&) {
    QueryBox box = queryBoxOf(app);
    onQueryDoubleClicked(box);
    return true;
}

bool onMatchListItemSelected(App& app, const tk::Event&) {
    QueryBox box = queryBoxOf(app);
    onMatchItemSelected(box);
    return true;
}

} // namespace extdict

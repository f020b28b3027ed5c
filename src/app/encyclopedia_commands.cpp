#include "app/encyclopedia_commands.h"

#include "net/encyclopedia.h"

namespace extdict {
namespace {

Encyclopedia encyclopediaOf(App& app) {
    return {app.ui, app.services, app.state.encyclopediaCache, app.main.extensionBox,
            app.main.encyclopediaLink};
}

} // namespace

bool onEncyclopediaButtonClicked(App& app, const tk::Event&) {
    encyclopediaLookup(encyclopediaOf(app), false);
    app.ui.setText(app.main.noteBox, app.state.encyclopediaCache.summary);
    return true;
}

bool onEncyclopediaLinkPressed(App& app, const tk::Event&) {
    encyclopediaLookup(encyclopediaOf(app), true);
    return false;
}

} // namespace extdict

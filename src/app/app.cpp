#include "app/app.h"

#include "text/encoding.h"

namespace extdict {

AppState::AppState(tk::Toolkit& ui, RecordStore& store)
    : matchList(ui, store, gbk("编辑框注释")) {}

void AppState::release() {
    savedCaption.clear();
    encyclopediaCache = {};
    matchList.destroy();
    inputWindowParams = {};
    inputResult.clear();
    databasePath.clear();
}

App::App(tk::Toolkit& ui, Services& services)
    : ui(ui), services(services), store(services.files()), state(ui, store) {}

} // namespace extdict

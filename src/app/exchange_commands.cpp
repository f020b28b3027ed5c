#include "app/exchange_commands.h"

#include "exchange/export.h"
#include "exchange/import.h"

namespace extdict {

bool onExportClicked(App& app, const tk::Event&) {
    exportRecords({app.ui, app.services, app.store});
    return true;
}

bool onImportClicked(App& app, const tk::Event&) {
    InputWindowContext inputWindow{app.ui, app.services, app.state.inputWindowParams,
                                   app.state.inputConfirmed, app.state.inputResult};
    ImportContext context{app.store, inputWindow};
    importRecords(context);
    return true;
}

} // namespace extdict

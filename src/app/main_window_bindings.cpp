#include "app/main_window_bindings.h"

#include "app/editing_commands.h"
#include "app/encyclopedia_commands.h"
#include "app/exchange_commands.h"
#include "app/handlers.h"
#include "app/query_box_handlers.h"
#include "text/encoding.h"

namespace extdict {
namespace {

using tk::EventKind;

struct Row {
    const char* control;  // form name, UTF-8; empty for the window itself
    EventKind event;
    MainHandler handler;
};

const Row kRows[] = {
    {"", EventKind::Created, onMainWindowCreated},
    {"", EventKind::SizeChanged, layoutMainWindow},
    {"", EventKind::WillBeDestroyed, onMainWindowDestroying},
    {"", EventKind::Tray, onTrayEvent},
    {"按钮1", EventKind::Clicked, countRecords},
    {"按钮清空", EventKind::Clicked, clearRecords},
    {"按钮导出", EventKind::Clicked, onExportClicked},
    {"按钮导入", EventKind::Clicked, onImportClicked},
    {"编辑框注释", EventKind::TextChanged, showLengthCaption},
    {"按钮百科", EventKind::Clicked, onEncyclopediaButtonClicked},
    {"超级链接框网页版百科", EventKind::LinkPressed, onEncyclopediaLinkPressed},
    {"编辑框扩展名", EventKind::TextChanged, onExtensionTextChanged},
    {"编辑框扩展名", EventKind::KeyDown, onExtensionKeyDown},
    {"编辑框扩展名", EventKind::KeyUp, onExtensionKeyUp},
    {"编辑框扩展名", EventKind::DoubleClicked, onExtensionDoubleClicked},
    {"列表框", EventKind::ItemSelected, onMatchListItemSelected},
    {"按钮添加", EventKind::Clicked, onAddClicked},
    {"按钮修改", EventKind::Clicked, onModifyClicked},
    {"按钮删除", EventKind::Clicked, onDeleteClicked},
};

} // namespace

tk::Bindings mainWindowBindings(App& app) {
    tk::Bindings bindings;
    for (const Row& row : kRows) {
        const MainHandler handler = row.handler;
        bindings.push_back({gbk(row.control), row.event,
                            [&app, handler](const tk::Event& event) { return handler(app, event); }});
    }
    return bindings;
}

} // namespace extdict

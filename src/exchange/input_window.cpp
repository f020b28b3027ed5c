#include "exchange/input_window.h"

#include "exchange/exchange_texts.h"
#include "exchange/input_window_session.h"
#include "text/encoding.h"

namespace extdict {
namespace {

using tk::EventKind;
using SessionHandler = bool (*)(InputWindowSession&, const tk::Event&);

struct Row {
    const char* control; // form name, UTF-8; empty for the window itself
    EventKind event;
    SessionHandler handler;
};

const Row kRows[] = {
    {"", EventKind::Created, onInputWindowCreated},
    {"", EventKind::SizeChanged, layoutInputWindow},
    {"", EventKind::CanBeClosed, canCloseInputWindow},
    {"", EventKind::WillBeDestroyed, onInputWindowDestroyed},
    {"编辑框输入区", EventKind::KeyDown, onInputAreaKeyDown},
    {"按钮打开文件", EventKind::Clicked, openButtonClicked},
    {"按钮打开文件", EventKind::RightReleased, openButtonRightReleased},
    {"按钮另存文件", EventKind::Clicked, saveInputAs},
    {"按钮确认", EventKind::Clicked, confirmInput},
    {"按钮取消", EventKind::Clicked, cancelInput},
};

constexpr int kWaitSliceMilliseconds = 10;

void storeParams(InputWindowParams& params, const InputWindowRequest& request) {
    params.prompt = request.prompt.value_or(exchange_texts::defaultPrompt());
    params.caption = request.caption.value_or(exchange_texts::defaultCaption());
    params.initialText = request.initialText;
    params.inputMode = request.inputMode;
    params.fileSelectMode = request.fileSelectMode;
    params.visible = request.visible;
    params.inputAreaHeight = request.inputAreaHeight;
    params.contentWidth = request.contentWidth;
    params.ownerWindow = request.owner.window;
    params.ownerControl = request.owner.control;
}

// The owner becomes the parent only when it names something that exists.
std::optional<tk::ControlRef> existingOwner(const tk::Toolkit& ui,
                                            const InputWindowParams& params) {
    const tk::ControlRef owner{params.ownerWindow, params.ownerControl};
    if (owner.window == 0 || !ui.exists(owner)) return std::nullopt;
    return owner;
}

} // namespace

tk::Bindings inputWindowBindings(InputWindowSession& session) {
    tk::Bindings bindings;
    for (const Row& row : kRows) {
        const SessionHandler handler = row.handler;
        bindings.push_back(
            {gbk(row.control), row.event,
             [&session, handler](const tk::Event& event) { return handler(session, event); }});
    }
    return bindings;
}

tk::WindowId openInputWindow(InputWindowSession& session, const InputWindowRequest& request) {
    InputWindowContext& context = session.context;
    storeParams(context.params, request);
    return context.ui.loadWindow(inputWindowForm(), inputWindowBindings(session),
                                 existingOwner(context.ui, context.params), request.dialogMode);
}

bool showInputWindow(InputWindowContext& context, const InputWindowRequest& request) {
    InputWindowSession session{context, {}, {}};
    waitWhileInputWindowExists(context.ui, openInputWindow(session, request));
    return context.inputConfirmed;
}

void waitWhileInputWindowExists(tk::Toolkit& ui, tk::WindowId window) {
    while (ui.exists({window})) {
        ui.sleep(kWaitSliceMilliseconds);
        ui.processEvents();
    }
}

} // namespace extdict

// The text input window's life: creation, layout, the close question, the end, and the keys.
#include "exchange/exchange_texts.h"
#include "exchange/input_window_session.h"
#include "exchange/text_measure.h"

namespace extdict {
namespace {

constexpr int kMargin = 10;
constexpr int kButtonGap = 5;
constexpr int kInputAreaGap = 7;

void fillControls(InputWindowSession& s) {
    tk::Toolkit& ui = s.context.ui;
    const InputWindowParams& params = s.context.params;
    ui.setText(s.controls.promptBox, params.prompt);
    ui.setText({s.controls.window}, params.caption);
    ui.setText(s.controls.inputArea, params.initialText);
    ui.setInputMode(s.controls.inputArea, params.inputMode);
}

void setOpenButtonMode(InputWindowSession& s) {
    tk::Toolkit& ui = s.context.ui;
    const bool fileSelect = s.context.params.fileSelectMode != 0;
    ui.setText(s.controls.openButton,
               fileSelect ? exchange_texts::chooseCaption() : exchange_texts::openCaption());
    ui.setTag(s.controls.openButton, fileSelect ? kFileSelectModeTag : kNormalModeTag);
    ui.setVisible(s.controls.saveButton, !fileSelect);
}

// Fits the window around the caller's content width and input area height, when given.
void fitWindowToContent(InputWindowSession& s) {
    tk::Toolkit& ui = s.context.ui;
    const InputWindowParams& params = s.context.params;
    const tk::WindowId window = s.controls.window;
    if (params.contentWidth != 0) {
        const int frameWidth = ui.width({window}) - ui.clientWidth(window);
        ui.move({window}, std::nullopt, std::nullopt, params.contentWidth + frameWidth + kMargin,
                std::nullopt);
    }
    if (params.inputAreaHeight != 0) {
        const int limit =
            params.contentWidth != 0 ? params.contentWidth : ui.width(s.controls.promptBox);
        const int promptHeight = measureText(ui.text(s.controls.promptBox), limit);
        const int frameHeight = ui.height({window}) - ui.clientHeight(window);
        ui.move({window}, std::nullopt, std::nullopt, std::nullopt,
                promptHeight + params.inputAreaHeight + ui.height(s.controls.buttonContainer) +
                    frameHeight + kMargin);
    }
}

void followOwnerOnTop(InputWindowSession& s) {
    tk::Toolkit& ui = s.context.ui;
    const tk::ControlRef owner{s.context.params.ownerWindow, s.context.params.ownerControl};
    if (owner.window != 0 && ui.exists(owner) && ui.alwaysOnTop(owner.window))
        ui.setAlwaysOnTop(s.controls.window, true);
}

void placeButtons(InputWindowSession& s) {
    tk::Toolkit& ui = s.context.ui;
    const InputWindowControls& c = s.controls;
    const int cancelLeft = ui.width(c.buttonContainer) - ui.width(c.cancelButton);
    ui.move(c.cancelButton, cancelLeft, std::nullopt, std::nullopt, std::nullopt);
    ui.move(c.confirmButton, cancelLeft - kButtonGap - ui.width(c.confirmButton), std::nullopt,
            std::nullopt, std::nullopt);
}

// Where the input area starts: below the prompt box, or at the top when there is no prompt.
int placePromptBox(InputWindowSession& s) {
    tk::Toolkit& ui = s.context.ui;
    const tk::ControlRef prompt = s.controls.promptBox;
    const std::string promptText = ui.text(prompt);
    ui.move(prompt, std::nullopt, std::nullopt, std::nullopt,
            measureText(promptText, ui.width(prompt)));
    return promptText.empty() ? 0 : ui.top(prompt) + ui.height(prompt);
}

} // namespace

bool onInputWindowCreated(InputWindowSession& s, const tk::Event& event) {
    s.controls = resolveInputWindowControls(s.context.ui, event.source.window);
    fillControls(s);
    setOpenButtonMode(s);
    s.context.inputConfirmed = false;
    fitWindowToContent(s);
    s.context.ui.setVisible({s.controls.window}, s.context.params.visible != 0);
    followOwnerOnTop(s);
    return true;
}

bool layoutInputWindow(InputWindowSession& s, const tk::Event&) {
    tk::Toolkit& ui = s.context.ui;
    const InputWindowControls& c = s.controls;
    const int width = ui.clientWidth(c.window) - kMargin;
    for (const tk::ControlRef control : {c.promptBox, c.inputArea, c.buttonContainer})
        ui.move(control, std::nullopt, std::nullopt, width, std::nullopt);
    ui.move(c.buttonContainer, std::nullopt,
            ui.clientHeight(c.window) - ui.height(c.buttonContainer), std::nullopt, std::nullopt);
    placeButtons(s);
    const int inputTop = placePromptBox(s) + kInputAreaGap;
    ui.move(c.inputArea, std::nullopt, inputTop, std::nullopt,
            ui.top(c.buttonContainer) - inputTop);
    ui.setVisible(c.promptBox, !ui.text(c.promptBox).empty());
    return true;
}

// Only the user's close asks; an answer other than Yes keeps the text.
bool canCloseInputWindow(InputWindowSession& s, const tk::Event&) {
    tk::Toolkit& ui = s.context.ui;
    if (ui.text(s.controls.inputArea) == s.context.params.initialText) return true;
    return ui.messageBox(exchange_texts::discardQuestion(), tk::MessageIcon::Question,
                         tk::MessageButtons::YesNo) == tk::Answer::Yes;
}

bool onInputWindowDestroyed(InputWindowSession& s, const tk::Event&) {
    s.context.inputResult = s.context.inputConfirmed ? s.confirmedText : std::string();
    return true;
}

bool confirmInput(InputWindowSession& s, const tk::Event&) {
    s.context.inputConfirmed = true;
    s.confirmedText = s.context.ui.text(s.controls.inputArea);
    s.context.ui.destroyWindow(s.controls.window);
    return true;
}

bool cancelInput(InputWindowSession& s, const tk::Event&) {
    s.context.ui.destroyWindow(s.controls.window);
    return true;
}

// Ctrl alone: A selects all, S saves, O opens, Enter confirms. The key always goes on to
// the input area as well.
bool onInputAreaKeyDown(InputWindowSession& s, const tk::Event& event) {
    if (event.modifiers != tk::modifier::Ctrl) return true;
    switch (event.key) {
    case 'A':
        s.context.ui.selectAll(s.controls.inputArea);
        break;
    case 'S':
        saveInputAs(s, event);
        break;
    case 'O':
        openButtonClicked(s, event);
        break;
    case tk::key::Enter:
        confirmInput(s, event);
        break;
    default:
        break;
    }
    return true;
}

} // namespace extdict

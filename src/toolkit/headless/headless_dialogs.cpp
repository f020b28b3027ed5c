// Message boxes and file dialogs, answered from the queues the script filled.
#include <algorithm>
#include <initializer_list>

#include "text/gbk_chars.h"
#include "toolkit/headless/headless_toolkit.h"

namespace extdict {
namespace {

bool offers(tk::MessageButtons buttons, tk::Answer answer) {
    using tk::Answer;
    auto among = [answer](std::initializer_list<Answer> choices) {
        return std::find(choices.begin(), choices.end(), answer) != choices.end();
    };
    switch (buttons) {
    case tk::MessageButtons::Ok:
        return among({Answer::Ok});
    case tk::MessageButtons::OkCancel:
        return among({Answer::Ok, Answer::Cancel});
    case tk::MessageButtons::YesNo:
        return among({Answer::Yes, Answer::No});
    case tk::MessageButtons::YesNoCancel:
        return among({Answer::Yes, Answer::No, Answer::Cancel});
    }
    return false;
}

// Esc or the close box: a box with only OK gives OK, every other box Cancel.
tk::Answer closeAnswer(tk::MessageButtons buttons) {
    return buttons == tk::MessageButtons::Ok ? tk::Answer::Ok : tk::Answer::Cancel;
}

const char* answerName(tk::Answer answer) {
    switch (answer) {
    case tk::Answer::Ok:
        return "OK";
    case tk::Answer::Cancel:
        return "Cancel";
    case tk::Answer::Yes:
        return "Yes";
    case tk::Answer::No:
        return "No";
    }
    return "?";
}

} // namespace

void HeadlessToolkit::queueAnswer(tk::Answer answer) {
    answers_.push_back({answer});
}

void HeadlessToolkit::queueCloseAnswer() {
    answers_.push_back({std::nullopt});
}

void HeadlessToolkit::queueFileChoice(FileChoice choice) {
    fileChoices_.push_back(std::move(choice));
}

tk::Answer HeadlessToolkit::takeAnswer(ShownMessageBox& shown) {
    shown.answer = closeAnswer(shown.buttons);
    if (answers_.empty()) return shown.answer;
    const PendingAnswer pending = answers_.front();
    answers_.pop_front();
    if (!pending.answer) {
        shown.how = HowAnswered::CloseBox;
        return shown.answer;
    }
    if (!offers(shown.buttons, *pending.answer))
        throw HeadlessScriptError{std::string("the queued answer ") + answerName(*pending.answer) +
                                  " is not a button of the box"};
    shown.how = HowAnswered::Button;
    shown.answer = *pending.answer;
    return shown.answer;
}

tk::Answer HeadlessToolkit::messageBox(std::string_view text, tk::MessageIcon icon,
                                       tk::MessageButtons buttons) {
    ShownMessageBox shown{std::string(untilNul(text)), icon, buttons};
    messageBoxes_.push_back(shown);
    const tk::Answer answer = takeAnswer(messageBoxes_.back());
    return answer;
}

std::optional<FileChoice> HeadlessToolkit::takeFileChoice(ShownFileDialog& shown) {
    if (fileChoices_.empty()) return std::nullopt;
    FileChoice choice = std::move(fileChoices_.front());
    fileChoices_.pop_front();
    shown.answered = true;
    if (!choice.cancel) shown.chosen = choice.paths;
    return choice;
}

std::optional<std::string> HeadlessToolkit::fileDialog(const tk::FileDialogRequest& request) {
    const FileDialogKind kind =
        request.mode == tk::FileDialogMode::Open ? FileDialogKind::Open : FileDialogKind::Save;
    fileDialogs_.push_back({kind, request, {}, false});
    const auto choice = takeFileChoice(fileDialogs_.back());
    if (!choice || choice->cancel) return std::nullopt;
    if (choice->paths.size() != 1)
        throw HeadlessScriptError{"an open or save dialog takes exactly one file name"};
    return choice->paths.front();
}

std::vector<std::string> HeadlessToolkit::multiSelectOpenDialog(std::string_view title,
                                                                std::string_view filter) {
    tk::FileDialogRequest request;
    request.title = std::string(title);
    request.filter = std::string(filter);
    fileDialogs_.push_back({FileDialogKind::MultiSelectOpen, request, {}, false});
    const auto choice = takeFileChoice(fileDialogs_.back());
    if (!choice || choice->cancel) return {};
    return choice->paths;
}

} // namespace extdict

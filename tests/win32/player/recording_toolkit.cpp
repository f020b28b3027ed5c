#include "recording_toolkit.h"

#include "text/encoding.h"
#include "text/gbk_chars.h"
#include "toolkit/win32/wide_text.h"

namespace extdict::player {

// Counts the program's waits while one runs.
class RecordingToolkit::Frame {
public:
    explicit Frame(int& depth) : depth_(depth) { ++depth_; }
    ~Frame() { --depth_; }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

private:
    int& depth_;
};

namespace {

// The tip as the shell gets it: cut between whole characters.
std::string trayTipCut(std::string_view tip) {
    std::size_t end = 0;
    while (end < tip.size()) {
        const std::size_t next = isLeadByte(static_cast<unsigned char>(tip[end])) ? end + 2 : end + 1;
        if (next > tk::kTrayTipBytes || next > tip.size()) break;
        end = next;
    }
    return std::string(tip.substr(0, end));
}

// Esc or the close box: only a box with OK alone answers OK.
tk::Answer closeAnswer(tk::MessageButtons buttons) {
    return buttons == tk::MessageButtons::Ok ? tk::Answer::Ok : tk::Answer::Cancel;
}

} // namespace

RecordingToolkit::RecordingToolkit(win32::Win32Toolkit& real) : real_(real) {
    real_.setExitCleanup([this] {
        if (afterExit) afterExit();
    });
}

tk::WindowId RecordingToolkit::loadWindow(const tk::WindowForm& form, tk::Bindings bindings,
                                          std::optional<tk::ControlRef> owner, bool dialogMode) {
    const tk::WindowId id = real_.loadWindow(form, std::move(bindings), owner, dialogMode);
    formNames_[id] = form.name;
    captions_[id].push_back(real_.text({id}));
    if (real_.visible({id})) noteShown(id);
    return id;
}

std::optional<tk::WindowId> RecordingToolkit::findWindow(const std::string& formName) const {
    for (auto it = formNames_.rbegin(); it != formNames_.rend(); ++it)
        if (it->second == formName && real_.exists({it->first})) return it->first;
    return std::nullopt;
}

std::vector<tk::WindowId> RecordingToolkit::windows() const {
    std::vector<tk::WindowId> open;
    for (const auto& [id, name] : formNames_)
        if (real_.exists({id})) open.push_back(id);
    return open;
}

void RecordingToolkit::noteShown(tk::WindowId window) {
    if (const auto found = formNames_.find(window); found != formNames_.end())
        shownForms_.insert(found->second);
}

void RecordingToolkit::setText(tk::ControlRef ref, std::string_view text) {
    real_.setText(ref, text);
    if (ref.control == tk::kWindowItself) captions_[ref.window].push_back(real_.text(ref));
}

void RecordingToolkit::setVisible(tk::ControlRef ref, bool visible) {
    real_.setVisible(ref, visible);
    if (visible && ref.control == tk::kWindowItself) noteShown(ref.window);
}

std::optional<std::string> RecordingToolkit::trayTip(tk::WindowId window) const {
    const auto found = trayTips_.find(window);
    if (found == trayTips_.end() || !real_.exists({window})) return std::nullopt;
    return found->second;
}

void RecordingToolkit::setTrayIcon(tk::WindowId window, std::string_view tip) {
    real_.setTrayIcon(window, tip);
    trayTips_[window] = trayTipCut(tip);
}

void RecordingToolkit::removeTrayIcon(tk::WindowId window) {
    real_.removeTrayIcon(window);
    trayTips_.erase(window);
}

tk::Answer RecordingToolkit::messageBox(std::string_view text, tk::MessageIcon icon,
                                        tk::MessageButtons buttons) {
    boxes_.push_back({std::string(text.substr(0, text.find('\0'))), icon, buttons});
    tk::Answer answer = closeAnswer(buttons);
    if (!answers.empty()) {
        answer = answers.front().value_or(answer);
        answers.pop_front();
    } else if (buttons != tk::MessageButtons::Ok) {
        answerProblems.push_back("a message box with a choice had no answer queued: " +
                                 utf8FromGbk(boxes_.back().text));
    }
    if (answer == tk::Answer::Cancel && buttons == tk::MessageButtons::YesNo) {
        // A Yes/No box has no close box; the user can only say No to leave it.
        answerProblems.push_back("a Yes/No box cannot be closed; answered No");
        answer = tk::Answer::No;
    }
    answerer_.queue(win32::PressButton{answer});
    const std::size_t seenBefore = answerer_.seen().size();
    Frame wait(waitDepth_), dialog(dialogDepth_);
    const tk::Answer given = real_.messageBox(text, icon, buttons);
    if (answerer_.seen().size() == seenBefore)
        answerProblems.push_back("the message box was never seen on the screen");
    else if (answerer_.seen().back() != gbk("信息：") + "|" + boxes_.back().text)
        answerProblems.push_back("the box on the screen said " + utf8FromGbk(answerer_.seen().back()));
    return given;
}

void RecordingToolkit::queueFileAnswer(DialogKind kind) {
    QueuedChoice choice;
    if (fileChoices.empty()) {
        answerProblems.push_back("a file dialog had no choice queued; cancelled");
    } else {
        choice = std::move(fileChoices.front());
        fileChoices.pop_front();
    }
    // A real open dialog refuses a file that does not exist, with a box of its own.
    for (const std::string& path : choice)
        if (kind != DialogKind::Save && GetFileAttributesW(win32::wideFromGbk(path).c_str()) ==
                                            INVALID_FILE_ATTRIBUTES)
            unplayable("choosing a file that does not exist in an open dialog");
    if (kind == DialogKind::Save && choice.size() == 1 &&
        GetFileAttributesW(win32::wideFromGbk(choice.front()).c_str()) != INVALID_FILE_ATTRIBUTES)
        unplayable("choosing an existing file in a save dialog, which asks before replacing it");
    if (kind != DialogKind::Multi && choice.size() > 1) {
        answerProblems.push_back("several files chosen in a dialog that takes one; cancelled");
        choice.clear();
    }
    answerer_.queue(win32::ChooseFiles{std::move(choice)});
}

std::optional<std::string> RecordingToolkit::fileDialog(const tk::FileDialogRequest& request) {
    const DialogKind kind =
        request.mode == tk::FileDialogMode::Open ? DialogKind::Open : DialogKind::Save;
    dialogs_.push_back({kind, request});
    queueFileAnswer(kind);
    Frame wait(waitDepth_), dialog(dialogDepth_);
    return real_.fileDialog(request);
}

std::vector<std::string> RecordingToolkit::multiSelectOpenDialog(std::string_view title,
                                                                 std::string_view filter) {
    tk::FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    dialogs_.push_back({DialogKind::Multi, request});
    queueFileAnswer(DialogKind::Multi);
    Frame wait(waitDepth_), dialog(dialogDepth_);
    return real_.multiSelectOpenDialog(title, filter);
}

void RecordingToolkit::processEvents() {
    Frame wait(waitDepth_);
    real_.processEvents();
}

void RecordingToolkit::sleep(int milliseconds) {
    Frame wait(waitDepth_);
    real_.sleep(milliseconds);
}

void RecordingToolkit::setExitCleanup(std::function<void()> cleanup) {
    real_.setExitCleanup([this, cleanup = std::move(cleanup)] {
        if (cleanup) cleanup();
        if (afterExit) afterExit();
    });
}

void RecordingToolkit::exit(int code) {
    exitCode_ = code;
    trayTips_.clear();
    real_.exit(code);
}

} // namespace extdict::player

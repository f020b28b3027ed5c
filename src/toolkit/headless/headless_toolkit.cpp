// Windows: loading, events, destruction, exit, and lookups by name.
#include "toolkit/headless/headless_toolkit.h"

#include <algorithm>

#include "toolkit/headless/headless_window.h"

namespace extdict {
namespace {

// Counts the handlers running, so that steps meant for an idle program wait for them.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& depth_;
};

} // namespace

HeadlessToolkit::HeadlessToolkit(Services& services) : services_(services) {}

HeadlessToolkit::~HeadlessToolkit() = default;

HeadlessWindow* HeadlessToolkit::window(tk::WindowId id) {
    const auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : found->second.get();
}

const HeadlessWindow* HeadlessToolkit::window(tk::WindowId id) const {
    const auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : found->second.get();
}

HeadlessControl* HeadlessToolkit::control(tk::ControlRef ref) {
    HeadlessWindow* owner = window(ref.window);
    if (!owner || ref.control < 1 || ref.control > static_cast<int>(owner->controls.size()))
        return nullptr;
    return &owner->controls[static_cast<std::size_t>(ref.control - 1)];
}

const HeadlessControl* HeadlessToolkit::control(tk::ControlRef ref) const {
    return const_cast<HeadlessToolkit*>(this)->control(ref);
}

HeadlessControl* HeadlessToolkit::controlOfKind(tk::ControlRef ref, tk::ControlKind kind) {
    HeadlessControl* found = control(ref);
    return found && found->kind == kind ? found : nullptr;
}

const HeadlessControl* HeadlessToolkit::controlOfKind(tk::ControlRef ref,
                                                      tk::ControlKind kind) const {
    return const_cast<HeadlessToolkit*>(this)->controlOfKind(ref, kind);
}

bool HeadlessToolkit::raise(const tk::Event& event) {
    if (hasExited()) return true;
    const HeadlessWindow* target = window(event.source.window);
    if (!target) return true;
    std::string controlName;
    if (event.source.control != tk::kWindowItself) {
        const HeadlessControl* source = control(event.source);
        if (!source) return true;
        controlName = source->name;
    }
    const std::shared_ptr<const tk::Bindings> bindings = target->bindings;
    for (const tk::Binding& binding : *bindings) {
        if (binding.event != event.kind || binding.control != controlName) continue;
        DepthGuard guard(handlerDepth_);
        return binding.handler(event);
    }
    return true;
}

bool HeadlessToolkit::raise(tk::EventKind kind, tk::ControlRef source) {
    return raise(tk::Event{kind, source});
}

void HeadlessToolkit::raiseWhileExists(tk::EventKind kind, tk::WindowId id) {
    if (window(id)) raise(kind, {id});
}

void HeadlessToolkit::raiseGeometryChanges(tk::WindowId id, bool placeChanged, bool sizeChanged) {
    if (placeChanged) raiseWhileExists(tk::EventKind::PositionChanged, id);
    if (sizeChanged) raiseWhileExists(tk::EventKind::SizeChanged, id);
}

tk::WindowId HeadlessToolkit::loadWindow(const tk::WindowForm& form, tk::Bindings bindings,
                                         std::optional<tk::ControlRef> owner, bool dialogMode) {
    const tk::WindowId id = nextWindowId_++;
    auto state = std::make_unique<HeadlessWindow>(
        buildWindow(form, std::move(bindings), kScreenWidth, kScreenHeight));
    if (owner && exists(*owner)) state->owner = owner->window;
    windows_.emplace(id, std::move(state));
    if (dialogMode) disableOthers(id);
    raiseWhileExists(tk::EventKind::Created, id);
    raiseWhileExists(tk::EventKind::PositionChanged, id);
    raiseWhileExists(tk::EventKind::SizeChanged, id);
    if (window(id) && form.visibleAtLoad) setVisible({id}, true);
    return id;
}

void HeadlessToolkit::disableOthers(tk::WindowId dialog) {
    HeadlessWindow* self = window(dialog);
    for (auto& [id, other] : windows_) {
        if (id == dialog) continue;
        ++other->disabledBy;
        self->disabledWindows.push_back(id);
    }
}

void HeadlessToolkit::destroyWindow(tk::WindowId id) {
    if (!window(id)) return;
    if (std::find(pendingDestroys_.begin(), pendingDestroys_.end(), id) == pendingDestroys_.end())
        pendingDestroys_.push_back(id);
}

void HeadlessToolkit::runPendingDestroys() {
    while (!pendingDestroys_.empty()) {
        const tk::WindowId id = pendingDestroys_.front();
        pendingDestroys_.erase(pendingDestroys_.begin());
        destroyNow(id);
    }
}

// Owned windows go first, as on the desktop; then the window's own WillBeDestroyed runs
// while its controls can still be read.
void HeadlessToolkit::destroyNow(tk::WindowId id) {
    std::vector<tk::WindowId> owned;
    for (const auto& [otherId, other] : windows_)
        if (other->owner == id) owned.push_back(otherId);
    for (const tk::WindowId ownedId : owned)
        destroyNow(ownedId);
    if (!window(id)) return;
    raise(tk::EventKind::WillBeDestroyed, {id});
    HeadlessWindow* going = window(id);
    if (!going) return;
    for (const tk::WindowId disabled : going->disabledWindows)
        if (HeadlessWindow* other = window(disabled)) --other->disabledBy;
    windows_.erase(id);
    std::erase(pendingDestroys_, id);
}

bool HeadlessToolkit::exists(tk::ControlRef ref) const {
    if (!window(ref.window)) return false;
    return ref.control == tk::kWindowItself || control(ref) != nullptr;
}

tk::ControlId HeadlessToolkit::controlNamed(tk::WindowId id, std::string_view name) const {
    const HeadlessWindow* owner = window(id);
    if (!owner) return tk::kWindowItself;
    for (std::size_t i = 0; i < owner->controls.size(); ++i)
        if (owner->controls[i].name == name) return static_cast<tk::ControlId>(i + 1);
    return tk::kWindowItself;
}

std::optional<tk::WindowId> HeadlessToolkit::findWindow(std::string_view formName) const {
    for (const auto& [id, state] : windows_)
        if (state->name == formName) return id;
    return std::nullopt;
}

std::optional<tk::ControlRef> HeadlessToolkit::findControl(std::string_view windowName,
                                                           std::string_view controlName) const {
    const auto id = findWindow(windowName);
    if (!id) return std::nullopt;
    const tk::ControlId found = controlNamed(*id, controlName);
    if (found == tk::kWindowItself) return std::nullopt;
    return tk::ControlRef{*id, found};
}

bool HeadlessToolkit::everShown(std::string_view formName) const {
    return std::find(everShown_.begin(), everShown_.end(), formName) != everShown_.end();
}

std::vector<tk::WindowId> HeadlessToolkit::windows() const {
    std::vector<tk::WindowId> ids;
    for (const auto& entry : windows_)
        ids.push_back(entry.first);
    return ids;
}

void HeadlessToolkit::setExitCleanup(std::function<void()> cleanup) {
    exitCleanup_ = std::move(cleanup);
}

void HeadlessToolkit::exit(int code) {
    if (!exitCode_) {
        exitCode_ = code;
        windows_.clear();
        pendingDestroys_.clear();
        if (exitCleanup_) exitCleanup_();
    }
    throw HeadlessExit{*exitCode_};
}

} // namespace extdict

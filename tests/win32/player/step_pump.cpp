#include "step_pump.h"

namespace extdict::player {
namespace {

StepPump* activePump = nullptr;  // a timer procedure has no user data
constexpr UINT kTickMs = 10;
// Longer than any wait of the program's own (2 s status messages, 1 s program start).
constexpr ULONGLONG kStallMs = 30000;

} // namespace

StepPump::StepPump(RecordingToolkit& ui, std::vector<Step> steps,
                   std::function<void(const Step&)> run, std::function<void()> finish,
                   std::function<void()> stalled)
    : ui_(ui), steps_(std::move(steps)), run_(std::move(run)), finish_(std::move(finish)),
      stalled_(std::move(stalled)) {}

void StepPump::start() {
    activePump = this;
    lastStart_ = waitingSince_ = GetTickCount64();
    SetTimer(nullptr, 0, kTickMs, onTimer);
}

void CALLBACK StepPump::onTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (activePump) activePump->tick();
}

bool StepPump::idle() const { return ui_.waitDepth() == 0 && running_.empty(); }

bool StepPump::due(const Step& step) const {
    if (step.timing.whenIdle && !idle()) return false;
    return GetTickCount64() >= lastStart_ + step.timing.delay;
}

void StepPump::tick() {
    if (ui_.dialogDepth() > 0 || !ui_.running()) return;
    if (!running_.empty() && ui_.waitDepth() <= running_.back()) return;
    const ULONGLONG now = GetTickCount64();
    if (next_ == steps_.size() ? !idle() : !due(steps_[next_])) {
        if (now - waitingSince_ > kStallMs) stalled_();
        return;
    }
    if (next_ == steps_.size()) return finish_();
    const Step& step = steps_[next_++];
    lastStart_ = waitingSince_ = now;
    running_.push_back(ui_.waitDepth());
    run_(step);
    running_.pop_back();
    waitingSince_ = GetTickCount64();
}

} // namespace extdict::player

// The virtual clock, the event loop and the scripted steps that it runs.
#include <string>

#include "toolkit/headless/headless_toolkit.h"
#include "toolkit/headless/headless_window.h"

namespace extdict {

std::uint32_t HeadlessToolkit::uptime() const {
    return uptimeStart_ + static_cast<std::uint32_t>(now_);
}

void HeadlessToolkit::sleep(int milliseconds) {
    if (milliseconds > 0) now_ += static_cast<std::uint64_t>(milliseconds);
}

void HeadlessToolkit::addStep(std::function<void()> action, StepTiming timing) {
    steps_.push_back({std::move(action), timing});
}

std::uint64_t HeadlessToolkit::dueTime(const Step& step) const {
    return step.timing.atTime ? *step.timing.atTime : lastStepStart_ + step.timing.delay;
}

bool HeadlessToolkit::stepDue(const Step& step, bool topLevel) const {
    if (step.timing.whenIdle && !(topLevel && handlerDepth_ == 0)) return false;
    return dueTime(step) <= now_;
}

void HeadlessToolkit::runStep() {
    Step step = std::move(steps_.front());
    steps_.pop_front();
    lastStepStart_ = now_;
    callsWithoutStep_ = 0;
    step.action();
    runPendingDestroys();
}

// A nested wait that nothing in the script can end would spin for ever.
void HeadlessToolkit::checkStall() {
    ++callsWithoutStep_;
    std::uint64_t reference = lastStepStart_;
    if (!steps_.empty() && !steps_.front().timing.whenIdle)
        reference = std::max(reference, dueTime(steps_.front()));
    if (now_ > reference + stallMilliseconds_ || callsWithoutStep_ > kStallCalls)
        throw HeadlessScriptError{
            "the program waits inside a handler, but the script has no step due for it (" +
            std::to_string(steps_.size()) + " step(s) left)"};
}

// Runs what is pending, then at most one due step, as one pass of a message pump would
// deliver one input event.
void HeadlessToolkit::processEvents() {
    if (hasExited()) return;
    runPendingDestroys();
    if (!steps_.empty() && stepDue(steps_.front(), false)) {
        runStep();
        return;
    }
    checkStall();
}

void HeadlessToolkit::runEventLoop() {
    while (!hasExited()) {
        runPendingDestroys();
        if (windows_.empty() || steps_.empty()) return;
        const Step& next = steps_.front();
        if (!stepDue(next, true)) now_ = std::max(now_, dueTime(next));
        runStep();
    }
}

} // namespace extdict

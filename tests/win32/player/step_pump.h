#pragma once
// Plays a run's steps from inside the program's own message loop: a thread timer fires in
// whichever loop runs (the top-level loop, or a handler's wait in processEvents), and the
// next step runs there when it is due. No step runs while a dialog's own loop runs, nor
// inside the pumping of the step before it unless the program went on to wait there.

#include <windows.h>

#include <functional>
#include <vector>

#include "play_script.h"
#include "recording_toolkit.h"

namespace extdict::player {

class StepPump {
public:
    // run plays one step; finish is called once every step ran and the program is idle;
    // stalled when the program keeps waiting with no step able to run.
    StepPump(RecordingToolkit& ui, std::vector<Step> steps, std::function<void(const Step&)> run,
             std::function<void()> finish, std::function<void()> stalled);
    void start();

private:
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
    void tick();
    bool idle() const;
    bool due(const Step& step) const;

    RecordingToolkit& ui_;
    std::vector<Step> steps_;
    std::function<void(const Step&)> run_;
    std::function<void()> finish_;
    std::function<void()> stalled_;
    std::size_t next_ = 0;
    ULONGLONG lastStart_ = 0;
    ULONGLONG waitingSince_ = 0;  // since when the next step has been held back
    std::vector<int> running_;    // the wait depth at which each running step began
};

} // namespace extdict::player

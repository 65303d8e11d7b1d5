// Ctrl-C: stops the session under way after its current request, and any session after it.
#include "cli/stop_switch.h"

#include "cli/panel_session.h"

void CStopSwitch::Attach(CPanelSession* session) {
    std::lock_guard<std::mutex> lock(mutex_);
    session_ = session;
    if (tripped_ && session_ != nullptr)
        session_->Stop();
}

void CStopSwitch::OnTrip(std::function<void()> stop) {
    std::lock_guard<std::mutex> lock(mutex_);
    onTrip_ = std::move(stop);
    if (tripped_ && onTrip_ && !reachedOthers_)
        onTrip_();
}

void CStopSwitch::Trip(bool everyProcess) {
    std::lock_guard<std::mutex> lock(mutex_);
    tripped_ = true;
    reachedOthers_ = everyProcess;
    if (session_ != nullptr)
        session_->Stop();
    if (onTrip_ && !reachedOthers_)
        onTrip_();
    trip_.notify_all();
}

bool CStopSwitch::Tripped() {
    std::lock_guard<std::mutex> lock(mutex_);
    return tripped_;
}

bool CStopSwitch::WaitFor(std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> lock(mutex_);
    return trip_.wait_for(lock, limit, [this] { return tripped_; });
}

// Ctrl-C: stops the session under way after its current request, and any session after it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

class CPanelSession;

class CStopSwitch {
  public:
    // The session now under way; nullptr between sessions.
    void Attach(CPanelSession* session);
    // Any thread.
    void Trip();
    bool Tripped();
    // Waits for the switch to trip, for as long as given at most; whether it has.
    bool WaitFor(std::chrono::milliseconds limit);

  private:
    std::mutex mutex_;
    std::condition_variable trip_;
    CPanelSession* session_ = nullptr;
    bool tripped_ = false;
};

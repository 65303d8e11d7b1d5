// Ctrl-C: stops the session under way after its current request, and any session after it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "provision/printer_network.h"

class CPanelSession;

class CStopSwitch : public CWaitStop {
  public:
    // The session now under way; nullptr between sessions.
    void Attach(CPanelSession* session);
    // What else a trip stops, such as processes serving other ports; empty for nothing.
    void OnTrip(std::function<void()> stop);
    // Any thread. What else a trip stops is left alone when the interrupt has reached it already.
    void Trip(bool everyProcess = false);
    bool Tripped();
    // Waits for the switch to trip, for as long as given at most; whether it has.
    bool WaitFor(std::chrono::milliseconds limit) override;

  private:
    std::mutex mutex_;
    std::condition_variable trip_;
    CPanelSession* session_ = nullptr;
    std::function<void()> onTrip_;
    bool tripped_ = false;
    bool reachedOthers_ = false;  // the interrupt reached every process
};

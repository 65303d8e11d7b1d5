// Ctrl-C: stops the session under way after its current request, and any session after it.
#pragma once

#include <mutex>

class CPanelSession;

class CStopSwitch {
  public:
    // The session now under way; nullptr between sessions.
    void Attach(CPanelSession* session);
    // Any thread.
    void Trip();
    bool Tripped();

  private:
    std::mutex mutex_;
    CPanelSession* session_ = nullptr;
    bool tripped_ = false;
};

// What a printer page may ask of the connection panel, reached as the application's main window.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "page_shared/trace.h"

class CSaveGuard;

class CPanel {
  public:
    // Sends bytes over the open link; 0 when no link is open.
    virtual uint32_t WriteComm(const uint8_t* data, uint32_t length) = 0;
    virtual void EnableOpenClose(bool open, bool close) = 0;
    // Drops the link, as the panel's Close button does.
    virtual void OnBnClickedClose() = 0;
    // The protocol trace of the main dialog's life, and a line of the page's own in it.
    virtual const trace::ProtocolTrace& Trace() const = 0;
    virtual void NoteInTrace(const std::string& text) = 0;
    // What the window does around a save (backups, the network check); none on the command line.
    virtual CSaveGuard* SaveGuard() { return nullptr; }

    // Set by the current-generation page while it reads or saves; the USB reader polls them.
    std::atomic<bool> m_bPage1Read{false};
    std::atomic<bool> m_bPage1Save{false};

  protected:
    ~CPanel() = default;
};

// The panel behind the application's main window, or none.
CPanel* ThePanel();

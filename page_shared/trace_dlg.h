// The "Protocol trace" window: the trace read-only in a resizable window, to copy or save.
#pragma once

#include "page_shared/trace.h"
#include "ui/dialog.h"

class CTraceDlg : public ui::CDialog {
  public:
    enum Control {
        IDC_TRACE_TEXT = 1001,
        IDC_TRACE_COPY = 1002,
        IDC_TRACE_SAVE = 1003,
        IDC_TRACE_SHOW_KEYS = 1004
    };

    explicit CTraceDlg(const trace::ProtocolTrace& trace);

    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;

  private:
    std::string TraceText();
    void SaveToFile();

    const trace::ProtocolTrace& trace_;
};

const ui::DialogDesc& TraceDialogDesc();

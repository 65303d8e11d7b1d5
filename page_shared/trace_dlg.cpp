// The "Protocol trace" window: the trace read-only in a resizable window, to copy or save.
#include "page_shared/trace_dlg.h"

#include "page_shared/text_file.h"

using ui::Kind;

namespace {
constexpr int IDD_PROTOCOL_TRACE = 170;
}

const ui::DialogDesc& TraceDialogDesc() {
    using namespace ui;
    static const DialogDesc desc{
        IDD_PROTOCOL_TRACE,
        "Protocol trace",
        400,
        240,
        0,
        false,
        {
            {CTraceDlg::IDC_TRACE_TEXT,
             Kind::kEdit,
             "",
             {7, 7, 386, 206},
             kMultiline | kReadOnly | kTabStop | kStretch},
            {CTraceDlg::IDC_TRACE_COPY,
             Kind::kPushButton,
             "Copy",
             {7, 219, 50, 14},
             kTabStop | kFollowBottom},
            {CTraceDlg::IDC_TRACE_SAVE,
             Kind::kPushButton,
             "Save...",
             {63, 219, 50, 14},
             kTabStop | kFollowBottom},
            {CTraceDlg::IDC_TRACE_SHOW_KEYS,
             Kind::kAutoCheckBox,
             "Show keys",
             {121, 221, 60, 10},
             kTabStop | kFollowBottom},
            {kIdCancel,
             Kind::kDefPushButton,
             "Close",
             {343, 219, 50, 14},
             kTabStop | kFollowBottom | kFollowRight},
        },
        true,
    };
    return desc;
}

CTraceDlg::CTraceDlg(const trace::ProtocolTrace& trace)
    : ui::CDialog(TraceDialogDesc()), trace_(trace) {}

std::string CTraceDlg::TraceText() {
    // The edit control and the clipboard both want CR LF line ends.
    return trace_.Text(GetCheck(IDC_TRACE_SHOW_KEYS) != 0, "\r\n");
}

bool CTraceDlg::OnInitDialog() {
    ui::CDialog::OnInitDialog();
    SetCheck(IDC_TRACE_SHOW_KEYS, trace_.ShowKeys() ? 1 : 0);
    SetItemText(IDC_TRACE_TEXT, TraceText());
    return true;
}

void CTraceDlg::OnCommand(int id, int code) {
    if (code == ui::kBnClicked) {
        switch (id) {
            case IDC_TRACE_COPY:
                ui::CurrentBackend().CopyToClipboard(TraceText());
                return;
            case IDC_TRACE_SAVE:
                SaveToFile();
                return;
            case IDC_TRACE_SHOW_KEYS:
                SetItemText(IDC_TRACE_TEXT, TraceText());
                return;
        }
    }
    ui::CDialog::OnCommand(id, code);
}

void CTraceDlg::SaveToFile() {
    const std::string path = ui::CurrentBackend().AskFileName(ui::FileDialogKind::kSave,
                                                              {"Protocol trace (*.txt)", "*.txt"});
    const bool keys = GetCheck(IDC_TRACE_SHOW_KEYS) != 0;
    if (!path.empty() &&
        !WriteFileReplacing(path, TraceText(), keys ? FileAccess::kOwnerOnly : FileAccess::kShared))
        ui::AfxMessageBox("The trace could not be written to " + path + ".");
}

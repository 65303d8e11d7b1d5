// The application object: process start-up and the main dialog's life.
#include "app/zephra_app.h"

#include <commctrl.h>
#include <winsock2.h>

#include "app/zephra_dlg.h"
#include "link/win32_link_provider.h"
#include "ui/backend.h"
#include "ui/win32/win32_backend.h"

namespace {

bool AfxSocketInit() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

}  // namespace

bool CZephraApp::InitInstance() {
    // Every class of the 95 set, and the IP-address control, which that set does not include.
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES};
    InitCommonControlsEx(&icc);

    ui::Win32Backend backend(instance_);
    ui::SetBackend(&backend);
    if (!AfxSocketInit()) {
        ui::AfxMessageBox("AfxSocketInit 호출에 실패했습니다.");
        ui::SetBackend(nullptr);
        return false;
    }
    {
        CWin32LinkProvider links;
        CZephraDlg dlg(links);
        backend.SetMainWindow(&dlg);
        dlg.DoModal();
        backend.SetMainWindow(nullptr);
    }
    WSACleanup();
    ui::SetBackend(nullptr);
    return false;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    CZephraApp app(instance);
    app.InitInstance();
    return 0;
}

// The application object: process start-up and the main dialog's life.
#include "app/zephra_app.h"

#include <commctrl.h>
#include <shellapi.h>
#include <winsock2.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/provision_registry.h"
#include "app/zephra_dlg.h"
#include "link/win32_link_provider.h"
#include "page_shared/text_file_platform.h"
#include "provision/network_probe.h"
#include "ui/backend.h"
#include "ui/win32/text.h"
#include "ui/win32/win32_backend.h"

namespace {

bool AfxSocketInit() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

CommandLine ReadCommandLine() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 1; argv != nullptr && i < argc; ++i)
        args.push_back(ui::Narrow(argv[i]));
    LocalFree(argv);
    return ParseCommandLine(args);
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using TraceFile = std::unique_ptr<FILE, FileCloser>;

// Opens the --trace file for appending and hands the dialog's trace to it, line by line, flushed
// so that what a crash or a kill leaves behind is whole.
TraceFile AttachTraceFile(const CommandLine& options, CZephraDlg& dlg) {
    trace::ProtocolTrace& trace = dlg.TraceSettings();
    trace.SetShowKeys(options.traceKeys);
    if (options.traceFile.empty())
        return nullptr;
    TraceFile file(OpenFileByPath(
        options.traceFile, "ab", options.traceKeys ? FileAccess::kOwnerOnly : FileAccess::kShared));
    if (!file) {
        ui::AfxMessageBox("Cannot open the trace file " + options.traceFile + ".");
        return nullptr;
    }
    FILE* out = file.get();
    trace.SetSink([out](const std::string& line) {
        std::fputs(line.c_str(), out);
        std::fflush(out);
    });
    return file;
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
        dlg.SetPortLister(ListPorts);
        const CommandLine options = ReadCommandLine();
        if (!options.error.empty()) {
            ui::AfxMessageBox(options.error);
            WSACleanup();
            ui::SetBackend(nullptr);
            return false;
        }
        dlg.SetProvision({WithCommandLine(LoadProvisionSettings(), options), DefaultBackupDir(),
                          SystemProbes(), StoreProvisionSettings});
        const TraceFile traceFile = AttachTraceFile(options, dlg);
        backend.SetMainWindow(&dlg);
        dlg.DoModal();
        backend.SetMainWindow(nullptr);
        dlg.TraceSettings().SetSink(nullptr);
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

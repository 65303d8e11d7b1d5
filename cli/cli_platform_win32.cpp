// The command line on Windows: the panel's COM ports and its USB link, in a console.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <atomic>
#include <cstdio>

#include "cli/cli_options.h"
#include "cli/cli_platform.h"
#include "link/win32_link_provider.h"
#include "ui/win32/text.h"

namespace {

// Set once, before the handler is installed.
std::function<void()> onFirstInterrupt;
std::atomic<bool> interrupted{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    // Passed on, the second one reaches the system's handler, which ends the process.
    if (interrupted.exchange(true))
        return FALSE;
    onFirstInterrupt();
    return TRUE;
}

}  // namespace

PortNaming SystemPortNaming() {
    return PortNaming::kComPorts;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    // main's arguments are in the ANSI code page, which loses any character it has not got; the
    // command line itself is UTF-16, as Zephra.exe reads it too.
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i)
        args.push_back(ui::Narrow(wide[i]));
    LocalFree(wide);
    return args;
}

std::unique_ptr<CLinkProvider> MakeCliLinks() {
    return std::make_unique<CWin32LinkProvider>();
}

FILE* SeparateResults() {
    std::fflush(stdout);
    const int resultsFd = _dup(_fileno(stdout));
    FILE* results = resultsFd < 0 ? nullptr : _fdopen(resultsFd, "w");
    const int null = _open("NUL", _O_WRONLY);
    if (results == nullptr || null < 0 || _dup2(null, _fileno(stdout)) < 0)
        return nullptr;
    _close(null);
    return results;
}

bool StandardInputIsTerminal() {
    // _isatty would also take NUL, a character device, for a terminal; only a console has a
    // console mode.
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

void WatchInterrupt(std::function<void()> onInterrupt) {
    // The system calls the handler on a thread of its own, where it may lock and call freely.
    onFirstInterrupt = std::move(onInterrupt);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

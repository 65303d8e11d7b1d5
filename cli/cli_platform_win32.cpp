// The command line on Windows: the panel's COM ports and its USB link, in a console.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After <windows.h>, which they need.
#include <bcrypt.h>
#include <shellapi.h>

#include <atomic>
#include <cstdio>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_platform.h"
#include "link/win32_link_provider.h"
#include "ui/win32/text.h"

namespace {

// Set once, before the handler is installed.
std::function<void(bool)> onFirstInterrupt;
std::atomic<bool> interrupted{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    // Passed on, the second one reaches the system's handler, which ends the process.
    if (interrupted.exchange(true))
        return FALSE;
    // Ctrl-C is off in processes started in groups of their own; Ctrl-Break reaches them all.
    onFirstInterrupt(event == CTRL_BREAK_EVENT);
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

std::string FirstUsbPrinter() {
    return std::string();
}

bool ServeUsbPrintersAsPlugged(CStopSwitch&, const std::function<void(const std::string&)>&) {
    return false;
}

bool IsUsbPrinterPort(const std::string&) {
    // --port takes COM ports alone here; --usb names the panel's USB link.
    return false;
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

bool IsTerminal(FILE* stream) {
    DWORD mode = 0;
    return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))), &mode) != 0;
}

void WatchInterrupt(std::function<void(bool everyProcess)> onInterrupt) {
    // The system calls the handler on a thread of its own, where it may lock and call freely.
    onFirstInterrupt = std::move(onInterrupt);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool EnvironmentValue(const std::string& name, std::string* value) {
    const std::wstring wide = ui::Widen(name);
    const DWORD size = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (size == 0)
        return false;
    std::vector<wchar_t> text(size);
    if (GetEnvironmentVariableW(wide.c_str(), text.data(), size) >= size)
        return false;
    *value = ui::Narrow(text.data());
    return true;
}

std::string ReadStandardInput() {
    std::string text;
    char block[4096];
    DWORD n = 0;
    // A pipe at its end fails with ERROR_BROKEN_PIPE; a file reads 0 bytes.
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), block, sizeof block, &n, nullptr) && n > 0)
        text.append(block, n);
    return text;
}

std::string Sha256(const std::string& bytes) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!BCRYPT_SUCCESS(
            BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
        return std::string();
    unsigned char digest[32];
    std::vector<unsigned char> data(bytes.begin(), bytes.end());
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool done =
        BCRYPT_SUCCESS(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0)) &&
        BCRYPT_SUCCESS(BCryptHashData(hash, data.data(), static_cast<ULONG>(data.size()), 0)) &&
        BCRYPT_SUCCESS(BCryptFinishHash(hash, digest, sizeof digest, 0));
    if (hash != nullptr)
        BCryptDestroyHash(hash);
    BCryptCloseAlgorithmProvider(algorithm, 0);
    if (!done)
        return std::string();
    return std::string(reinterpret_cast<const char*>(digest), sizeof digest);
}

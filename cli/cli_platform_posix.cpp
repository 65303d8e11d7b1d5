// The command line on a POSIX system: its serial ports and USB printers by path.
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <openssl/evp.h>

#include <cstdlib>
#include <thread>

#include "cli/cli_options.h"
#include "cli/cli_platform.h"
#include "link/port_list.h"
#include "link/posix_link_provider.h"
#include "link/usb_printer_nodes_posix.h"

PortNaming SystemPortNaming() {
    return PortNaming::kDevicePaths;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

std::unique_ptr<CLinkProvider> MakeCliLinks() {
    return std::make_unique<CPosixLinkProvider>();
}

bool IsUsbPrinterPort(const std::string& port) {
    return IsUsbPrinterNode(port);
}

std::string FirstUsbPrinter() {
    std::vector<PortInfo> ports;
    std::string error;
    if (ListPorts(&ports, &error)) {
        for (const PortInfo& port : ports) {
            if (port.kind == PortInfo::Kind::kUsb)
                return UsbPrinterNode(port.path);
        }
    }
    return std::string();
}

FILE* SeparateResults() {
    std::fflush(stdout);
    const int resultsFd = dup(STDOUT_FILENO);
    FILE* results = resultsFd < 0 ? nullptr : fdopen(resultsFd, "w");
    const int null = open("/dev/null", O_WRONLY);
    if (results == nullptr || null < 0 || dup2(null, STDOUT_FILENO) < 0)
        return nullptr;
    close(null);
    return results;
}

bool StandardInputIsTerminal() {
    return isatty(STDIN_FILENO) != 0;
}

bool IsTerminal(FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

void WatchInterrupt(std::function<void(bool everyProcess)> onInterrupt) {
    // Blocked here before any other thread starts, so every thread inherits the mask and only
    // the watcher takes the signal, where it may lock and call freely.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([set, onInterrupt] {
        int signal = 0;
        sigwait(&set, &signal);
        // The processes this one starts have process groups of their own: the terminal's Ctrl-C
        // reaches this one alone.
        onInterrupt(false);
        sigwait(&set, &signal);
        _exit(128 + signal);
    }).detach();
}

bool EnvironmentValue(const std::string& name, std::string* value) {
    const char* text = std::getenv(name.c_str());
    if (text == nullptr)
        return false;
    *value = text;
    return true;
}

std::string ReadStandardInput() {
    std::string text;
    char block[4096];
    for (ssize_t n; (n = read(STDIN_FILENO, block, sizeof block)) != 0;) {
        if (n > 0)
            text.append(block, static_cast<size_t>(n));
        else if (errno != EINTR)
            break;
    }
    return text;
}

std::string Sha256(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_sha256(), nullptr) != 1)
        return std::string();
    return std::string(reinterpret_cast<const char*>(digest), size);
}

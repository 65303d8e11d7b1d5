// What the command line does differently on each system: the links it opens and how it keeps its
// results apart from the panel's own diagnostics.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/link.h"

class CStopSwitch;

// The program's arguments (its name first) in UTF-8, whatever the system handed to main.
std::vector<std::string> Utf8Arguments(int argc, char** argv);
// The serial (and, where the system has them, USB) links of this system.
std::unique_ptr<CLinkProvider> MakeCliLinks();
// Whether --port names a printer that the USB link opens, not the serial one.
bool IsUsbPrinterPort(const std::string& port);
// The printer --usb opens where a system names its USB printers by path: the first of an accepted
// vendor in the port list, "" when there is none. Elsewhere "": the link finds its printer itself.
std::string FirstUsbPrinter();
// apply --watch --usb where the system tells of USB printers plugged in and out: serve takes each
// printer of an accepted vendor (its port, as --port names it) once it is there, and the next one
// once it has been unplugged, until stop trips. False, having served none, where the system tells
// of none: the station then looks for a printer now and then.
bool ServeUsbPrintersAsPlugged(CStopSwitch& stop,
                               const std::function<void(const std::string& port)>& serve);
// The panel writes a diagnostic line to standard output for each notification it passes on; here
// they are dropped, and the returned stream is the original standard output, for results only.
// nullptr when that failed.
FILE* SeparateResults();
// Whether the operator can be asked questions on standard input.
bool StandardInputIsTerminal();
// Whether stream goes to a terminal, where a line can be rewritten in place.
bool IsTerminal(FILE* stream);
// The value of an environment variable, in UTF-8; false when it is not set.
bool EnvironmentValue(const std::string& name, std::string* value);
// Standard input read to its end, byte for byte.
std::string ReadStandardInput();
// The SHA-256 digest of bytes (32 bytes) from the system's own cryptography; "" when it failed.
std::string Sha256(const std::string& bytes);
// Calls onInterrupt on a thread of its own at the first Ctrl-C; a second one ends the program.
// everyProcess tells that the system gave it to every process of the terminal, the processes
// this one started included (Ctrl-Break in a Windows console).
void WatchInterrupt(std::function<void(bool everyProcess)> onInterrupt);

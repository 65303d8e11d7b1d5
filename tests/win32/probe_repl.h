// The line protocol both console probes speak over stdin/stdout: one command per line, one reply
// line each ("ok ..." or "err ..."), hex for bytes and "-" for none.
#pragma once

#include <windows.h>

#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "link/rx_queue.h"

namespace probe {

inline bool ParseHex(const std::string& text, std::vector<uint8_t>* out) {
    if (text.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        if (std::sscanf(text.c_str() + i, "%2x", &value) != 1)
            return false;
        out->push_back(static_cast<uint8_t>(value));
    }
    return true;
}

inline std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string hex;
    char buf[3];
    for (uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%02x", b);
        hex += buf;
    }
    return hex.empty() ? "-" : hex;
}

// Takes what the queue holds now, oldest first.
inline std::vector<uint8_t> Drain(CRxQueue& queue) {
    std::vector<uint8_t> bytes;
    const int count = queue.GetCount();
    for (int i = 0; i < count; ++i) {
        uint8_t b = 0;
        if (!queue.Get(&b))
            break;
        bytes.push_back(b);
    }
    return bytes;
}

// Waits up to ms for the queue to hold at least count bytes; false when it does not.
inline bool AwaitQueued(const CRxQueue& queue, int count, DWORD ms) {
    const DWORD start = GetTickCount();
    while (queue.GetCount() < count) {
        if (GetTickCount() - start >= ms)
            return false;
        Sleep(1);
    }
    return true;
}

inline int ThreadCount() {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snap, &entry); more; more = Thread32Next(snap, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    }
    CloseHandle(snap);
    return count;
}

// Counted in the system's handle table: Wine answers GetProcessHandleCount with 0.
inline int HandleCount() {
    struct Entry {
        ULONG ownerPid;
        UCHAR objectType;
        UCHAR flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    struct Table {
        ULONG count;
        Entry entries[1];
    };
    constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
    std::vector<uint8_t> buffer(1 << 16);
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), nullptr)) ==
           kInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0)
        return -1;
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    int count = 0;
    for (ULONG i = 0; i < table->count; ++i) {
        if (table->entries[i].ownerPid == GetCurrentProcessId())
            ++count;
    }
    return count;
}

// What a soak reports: handles and threads after its first cycle and at its end, and how many
// of its checked cycles lost their traffic.
struct SoakCounts {
    int firstHandles = 0, firstThreads = 0, lastHandles = 0, lastThreads = 0, lost = 0;
    // Called after each cycle, numbered from 0.
    void After(int cycle) {
        const int handles = HandleCount(), threads = ThreadCount();
        if (cycle == 0) {
            firstHandles = handles;
            firstThreads = threads;
        }
        lastHandles = handles;
        lastThreads = threads;
    }
    std::string Text() const {
        std::ostringstream out;
        out << firstHandles << ' ' << firstThreads << ' ' << lastHandles << ' ' << lastThreads
            << ' ' << lost;
        return out.str();
    }
};

// Flushed at once: the test waits for each reply before it sends the next command.
inline void Reply(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

// Hands each command to handle until "quit" or the end of input; handle returns false for a
// command it does not know.
using Handler = std::function<bool(const std::string& cmd, std::istringstream& in)>;

inline void Run(const Handler& handle) {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream in(line);
        std::string cmd;
        in >> cmd;
        if (cmd == "quit") {
            Reply("ok");
            return;
        }
        if (!handle(cmd, in))
            Reply("err unknown command");
    }
}

}  // namespace probe

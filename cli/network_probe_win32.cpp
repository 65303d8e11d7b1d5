// verify's network probes on Windows: Winsock and the IP helper's neighbour table.
#include "cli/network_probe.h"

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>
#include <netioapi.h>
// clang-format on

bool SocketsReady() {
    // Started at the first probe, for the life of the program.
    static const bool ready = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return ready;
}

bool TcpAccepts(const std::string& address, uint16_t port, std::chrono::milliseconds limit) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    if (!SocketsReady() || inet_pton(AF_INET, address.c_str(), &to.sin_addr) != 1)
        return false;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return false;
    u_long nonBlocking = 1;
    bool accepted = ioctlsocket(s, FIONBIO, &nonBlocking) == 0 &&
                    connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
    if (!accepted && WSAGetLastError() == WSAEWOULDBLOCK) {
        // A refused connection shows in the exception set, an accepted one in the write set.
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &writable);
        FD_SET(s, &failed);
        timeval wait{static_cast<long>(limit.count() / 1000),
                     static_cast<long>(limit.count() % 1000 * 1000)};
        accepted = select(0, nullptr, &writable, &failed, &wait) > 0 && FD_ISSET(s, &writable);
    }
    closesocket(s);
    return accepted;
}

std::string NeighbourIpv4(const std::string& macKey) {
    MIB_IPNET_TABLE2* table = nullptr;
    if (GetIpNetTable2(AF_INET, &table) != NO_ERROR)
        return std::string();
    std::string found;
    for (ULONG i = 0; i < table->NumEntries && found.empty(); ++i) {
        const MIB_IPNET_ROW2& row = table->Table[i];
        if (row.State == NlnsUnreachable || row.State == NlnsIncomplete)
            continue;
        if (MacKeyOf(row.PhysicalAddress, row.PhysicalAddressLength) == macKey)
            found = DottedIpv4(&row.Address.Ipv4.sin_addr);
    }
    FreeMibTable(table);
    return found;
}

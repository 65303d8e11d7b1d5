// The network check's probes on Windows: Winsock and the IP helper's neighbour table.
#include "provision/network_probe.h"

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

ConnectState StartConnect(const std::string& address, uint16_t port, SocketHandle* s) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    if (!SocketsReady() || inet_pton(AF_INET, address.c_str(), &to.sin_addr) != 1)
        return ConnectState::kFailed;
    const SOCKET made = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (made == INVALID_SOCKET)
        return ConnectState::kFailed;
    *s = static_cast<SocketHandle>(made);
    u_long nonBlocking = 1;
    if (ioctlsocket(made, FIONBIO, &nonBlocking) == 0) {
        if (connect(made, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0)
            return ConnectState::kAccepted;
        if (WSAGetLastError() == WSAEWOULDBLOCK)
            return ConnectState::kPending;
    }
    closesocket(made);
    return ConnectState::kFailed;
}

void PollConnects(const std::vector<SocketHandle>& sockets, std::chrono::milliseconds limit,
                  std::vector<ConnectState>* states) {
    // A refused connection shows in the exception set, an accepted one in the write set. A set
    // holds FD_SETSIZE sockets; the wait keeps far fewer under way.
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    for (size_t i = 0; i < sockets.size() && i < FD_SETSIZE; ++i) {
        FD_SET(static_cast<SOCKET>(sockets[i]), &writable);
        FD_SET(static_cast<SOCKET>(sockets[i]), &failed);
    }
    const long ms = static_cast<long>(limit.count());
    timeval wait{ms / 1000, ms % 1000 * 1000};
    if (select(0, nullptr, &writable, &failed, &wait) <= 0)
        return;
    for (size_t i = 0; i < sockets.size(); ++i) {
        if (FD_ISSET(static_cast<SOCKET>(sockets[i]), &writable))
            (*states)[i] = ConnectState::kAccepted;
        else if (FD_ISSET(static_cast<SOCKET>(sockets[i]), &failed))
            (*states)[i] = ConnectState::kFailed;
    }
}

void CloseSocket(SocketHandle s) {
    closesocket(static_cast<SOCKET>(s));
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

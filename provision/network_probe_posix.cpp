// The network check's probes on Linux: sockets and the kernel's neighbour table through netlink.
#include "provision/network_probe.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <linux/neighbour.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace {

// An entry of the dump that may stand for the printer now: not one the kernel failed to resolve.
bool Usable(const ndmsg& entry) {
    return entry.ndm_family == AF_INET &&
           (entry.ndm_state & (NUD_INCOMPLETE | NUD_FAILED | NUD_NOARP)) == 0;
}

}  // namespace

bool SocketsReady() {
    return true;
}

ConnectState StartConnect(const std::string& address, uint16_t port, SocketHandle* s) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &to.sin_addr) != 1)
        return ConnectState::kFailed;
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return ConnectState::kFailed;
    *s = fd;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0)
        return ConnectState::kAccepted;
    if (errno == EINPROGRESS)
        return ConnectState::kPending;
    close(fd);
    return ConnectState::kFailed;
}

void PollConnects(const std::vector<SocketHandle>& sockets, std::chrono::milliseconds limit,
                  std::vector<ConnectState>* states) {
    std::vector<pollfd> polled;
    for (SocketHandle s : sockets)
        polled.push_back({static_cast<int>(s), POLLOUT, 0});
    if (poll(polled.data(), polled.size(), static_cast<int>(limit.count())) <= 0)
        return;
    for (size_t i = 0; i < polled.size(); ++i) {
        if (polled[i].revents == 0)
            continue;
        int error = 0;
        socklen_t size = sizeof error;
        (*states)[i] =
            getsockopt(polled[i].fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0
                ? ConnectState::kAccepted
                : ConnectState::kFailed;
    }
}

void CloseSocket(SocketHandle s) {
    close(static_cast<int>(s));
}

std::string NeighbourIpv4(const std::string& macKey) {
    const int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (fd < 0)
        return std::string();
    struct {
        nlmsghdr header;
        ndmsg body;
    } request{};
    request.header.nlmsg_len = sizeof request;
    request.header.nlmsg_type = RTM_GETNEIGH;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.body.ndm_family = AF_INET;
    std::string found;
    bool done = send(fd, &request, sizeof request, 0) < 0;
    std::vector<char> buffer(32768);
    while (!done && found.empty()) {
        const ssize_t got = recv(fd, buffer.data(), buffer.size(), 0);
        if (got <= 0)
            break;
        auto left = static_cast<unsigned int>(got);
        for (auto* message = reinterpret_cast<nlmsghdr*>(buffer.data());
             NLMSG_OK(message, left) && found.empty(); message = NLMSG_NEXT(message, left)) {
            if (message->nlmsg_type == NLMSG_DONE || message->nlmsg_type == NLMSG_ERROR) {
                done = true;
                break;
            }
            auto* entry = static_cast<ndmsg*>(NLMSG_DATA(message));
            if (message->nlmsg_type != RTM_NEWNEIGH || !Usable(*entry))
                continue;
            std::string mac, address;
            int size = static_cast<int>(message->nlmsg_len - NLMSG_LENGTH(sizeof *entry));
            for (auto* at = reinterpret_cast<rtattr*>(reinterpret_cast<char*>(entry) +
                                                      NLMSG_ALIGN(sizeof *entry));
                 RTA_OK(at, size); at = RTA_NEXT(at, size)) {
                const auto* data = static_cast<const unsigned char*>(RTA_DATA(at));
                if (at->rta_type == NDA_LLADDR)
                    mac = MacKeyOf(data, RTA_PAYLOAD(at));
                else if (at->rta_type == NDA_DST && RTA_PAYLOAD(at) == sizeof(in_addr))
                    address = DottedIpv4(data);
            }
            if (mac == macKey)
                found = address;
        }
    }
    close(fd);
    return found;
}

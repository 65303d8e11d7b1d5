// What the network check's probes do alike on every system: the system's resolver through
// getaddrinfo, and addresses as text.
#include "provision/network_probe.h"

#ifdef _WIN32
// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
// clang-format on
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

#include <algorithm>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

class CSocketAttempts : public CConnectAttempts {
  public:
    ~CSocketAttempts() override {
        for (const Attempt& attempt : attempts_)
            CloseSocket(attempt.s);
    }

    bool Start(const std::string& address, uint16_t port, std::chrono::milliseconds life) override {
        SocketHandle s = 0;
        const ConnectState state = StartConnect(address, port, &s);
        if (state == ConnectState::kFailed)
            return false;
        accepted_ = accepted_ || state == ConnectState::kAccepted;
        attempts_.push_back({s, Clock::now() + life});
        return true;
    }

    bool WaitAccepted(std::chrono::milliseconds limit) override {
        const Clock::time_point deadline = Clock::now() + limit;
        while (!accepted_) {
            GiveUp([now = Clock::now()](const Attempt& a, size_t) { return a.end <= now; });
            const Clock::time_point now = Clock::now();
            if (attempts_.empty() || now >= deadline)
                return false;
            Clock::time_point until = deadline;
            std::vector<SocketHandle> sockets;
            for (const Attempt& attempt : attempts_) {
                sockets.push_back(attempt.s);
                until = std::min(until, attempt.end);
            }
            std::vector<ConnectState> states(sockets.size(), ConnectState::kPending);
            PollConnects(sockets, std::chrono::ceil<std::chrono::milliseconds>(until - now),
                         &states);
            accepted_ =
                std::find(states.begin(), states.end(), ConnectState::kAccepted) != states.end();
            GiveUp([&](const Attempt&, size_t i) { return states[i] == ConnectState::kFailed; });
        }
        return true;
    }

  private:
    struct Attempt {
        SocketHandle s;
        Clock::time_point end;
    };
    // Closes and drops the attempts that `over` says are over.
    template <typename Over>
    void GiveUp(Over over) {
        std::vector<Attempt> kept;
        for (size_t i = 0; i < attempts_.size(); ++i) {
            if (over(attempts_[i], i))
                CloseSocket(attempts_[i].s);
            else
                kept.push_back(attempts_[i]);
        }
        attempts_.swap(kept);
    }

    std::vector<Attempt> attempts_;
    bool accepted_ = false;
};

}  // namespace

std::unique_ptr<CConnectAttempts> SystemConnectAttempts() {
    return std::make_unique<CSocketAttempts>();
}

std::string MacKeyOf(const unsigned char* bytes, size_t size) {
    std::string key;
    for (size_t i = 0; i < size; ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", bytes[i]);
        key += hex;
    }
    return key;
}

std::string DottedIpv4(const void* address) {
    char text[INET_ADDRSTRLEN] = "";
    inet_ntop(AF_INET, address, text, sizeof text);
    return text;
}

std::string ResolveIpv4(const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (!SocketsReady() || getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 ||
        found == nullptr)
        return std::string();
    const std::string address =
        DottedIpv4(&reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr);
    freeaddrinfo(found);
    return address;
}

NetworkProbes SystemProbes() {
    return {SystemConnectAttempts, ResolveIpv4, NeighbourIpv4};
}

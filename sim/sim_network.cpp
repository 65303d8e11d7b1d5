// printer-sim's network side: the join rules, and the printer listening once it has joined.
#include "sim/sim_network.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace {

// How often a joined printer looks for an Update while it waits for connections.
constexpr int kTickMs = 50;

bool ParsePort(const std::string& text, uint16_t* port) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const unsigned long value = std::stoul(text);
    *port = static_cast<uint16_t>(value);
    return value >= 1 && value <= 65535;
}

}  // namespace

std::string LoopbackRuleBroken(const std::string& address) {
    in_addr ip{};
    if (inet_pton(AF_INET, address.c_str(), &ip) != 1)
        return "\"" + address + "\" is not an IPv4 address";
    if ((ntohl(ip.s_addr) >> 24) != 127)
        return address + " is outside 127.0.0.0/8, the only addresses the simulated network takes";
    return std::string();
}

SimJoinDecision DecideJoin(const SimNetworkConfig& network, const SimJoinView& view) {
    SimJoinDecision d;
    if (!view.infrastructure) {
        d.why = "it is in access-point mode";
    } else if (view.ssid != network.ssid) {
        d.why = "no network named \"" + view.ssid + "\"";
    } else if (view.secured != network.key.has_value()) {
        d.why = view.secured ? "the network is open and the printer uses a key"
                             : "the network needs a key and the printer uses none";
    } else if (view.secured && (view.keyMismatch || view.key != *network.key)) {
        d.why = "wrong key";
    } else {
        d.address = view.dhcp ? network.dhcpAddress : view.ip;
        const std::string rule = LoopbackRuleBroken(d.address);
        if (view.dhcp && d.address.empty())
            d.why = "DHCP gives no address (no --dhcp-address)";
        else if (!rule.empty())
            d.why = rule;
        else if (!ParsePort(view.port, &d.port))
            d.why = "port \"" + view.port + "\" is not a TCP port";
        else
            d.joins = true;
    }
    return d;
}

CSimNetwork::CSimNetwork(SimNetworkConfig network, std::function<void(const std::string&)> say)
    : network_(std::move(network)), say_(std::move(say)), worker_([this] { Run(); }) {}

CSimNetwork::~CSimNetwork() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void CSimNetwork::Update(const std::optional<SimJoinView>& view) {
    SimJoinDecision decision;
    if (view)
        decision = DecideJoin(network_, *view);
    else
        decision.why = "the printer has no network settings";
    std::lock_guard<std::mutex> lock(mutex_);
    ++updates_;
    pending_.reset();
    if (decision.joins) {
        pending_ = std::move(decision);
        joinAt_ = Clock::now() + std::chrono::milliseconds(network_.joinDelayMs);
    } else {
        say_("does not join \"" + network_.ssid + "\": " + decision.why);
    }
    changed_.notify_all();
}

int CSimNetwork::Listen(const SimJoinDecision& decision) {
    const std::string where = decision.address + ":" + std::to_string(decision.port);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(decision.port);
    inet_pton(AF_INET, decision.address.c_str(), &address.sin_addr);
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd, 16) != 0) {
        say_("cannot listen on " + where + ": " + std::strerror(errno));
        if (fd >= 0)
            close(fd);
        return -1;
    }
    say_("joined \"" + network_.ssid + "\", listening on " + where);
    return fd;
}

void CSimNetwork::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    int fd = -1;
    unsigned seen = updates_;
    while (!stop_) {
        if (seen != updates_ && fd >= 0) {
            close(fd);
            fd = -1;
            say_("left \"" + network_.ssid + "\"");
        }
        seen = updates_;
        if (fd < 0 && pending_ && Clock::now() >= joinAt_) {
            fd = Listen(*pending_);
            pending_.reset();
        } else if (fd >= 0) {
            lock.unlock();
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, kTickMs) > 0) {
                const int connection = accept(fd, nullptr, nullptr);
                if (connection >= 0)
                    close(connection);
            }
            lock.lock();
        } else if (pending_) {
            changed_.wait_until(lock, joinAt_);
        } else {
            changed_.wait(lock);
        }
    }
    if (fd >= 0)
        close(fd);
}

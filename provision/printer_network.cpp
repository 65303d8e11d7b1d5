// Where a written printer should be on its network, and the wait for it to answer there.
#include "provision/printer_network.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "provision/mac_address.h"

namespace {

using nlohmann::json;
using Clock = std::chrono::steady_clock;

// The least an attempt is given, even one that starts when the wait is over: the save may have
// taken longer than the whole wait.
constexpr auto kLeastTry = std::chrono::milliseconds(100);

bool ParsePort(const std::string& text, uint16_t* port) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const unsigned long value = std::stoul(text);
    *port = static_cast<uint16_t>(value);
    return value >= 1 && value <= 65535;
}

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

// The address a lookup gives on this try, with what found it; "" when none does.
std::string LookUp(const NetworkTarget& target, const NetworkProbes& probes, std::string* foundBy) {
    std::string address;
    if (!target.mdnsName.empty() && !(address = probes.resolve(target.mdnsName)).empty())
        *foundBy = "mdns";
    else if (!target.macKey.empty() && !(address = probes.neighbour(target.macKey)).empty())
        *foundBy = "neighbour";
    return address;
}

// Why a lookup that never gave an address found nothing.
std::string NothingFound(const NetworkTarget& target, long limit) {
    std::string why = "no address within " + std::to_string(limit) + " s: ";
    if (!target.mdnsName.empty())
        why += target.mdnsName + " did not resolve and ";
    return why + "its MAC address is not in the neighbour table";
}

}  // namespace

json NetworkJson(const NetworkResult& result) {
    if (result.state == "reachable")
        return {{"state", result.state},
                {"address", result.address},
                {"port", result.port},
                {"seconds", result.seconds},
                {"found_by", result.foundBy}};
    if (result.state == "unreachable")
        return {{"state", result.state},
                {"address", result.address},
                {"port", result.port},
                {"reason", result.reason}};
    return {{"state", result.state}, {"reason", result.reason}};
}

bool NetworkFromJson(const json& object, NetworkResult* result) {
    NetworkResult r;
    r.state = object.value("state", std::string());
    if (r.state != "reachable" && r.state != "unreachable" && r.state != "not_checked")
        return false;
    r.address = object.value("address", std::string());
    r.port = object.value("port", uint16_t{0});
    r.seconds = object.value("seconds", 0.0);
    r.foundBy = object.value("found_by", std::string());
    r.reason = object.value("reason", std::string());
    *result = std::move(r);
    return true;
}

std::string NetworkText(const NetworkResult& result) {
    const std::string at = result.address + ":" + std::to_string(result.port);
    if (result.state == "reachable")
        return "network: reachable at " + at + " (" + result.foundBy + ") after " +
               Seconds(result.seconds);
    if (result.state == "unreachable")
        return "network: unreachable at " + at + ": " + result.reason;
    return "network: not checked: " + result.reason;
}

NetworkTarget TargetOf(const std::string& family, const json& settings, const json& profiled,
                       const std::string& mac, const std::string& given,
                       const std::string& givenBy) {
    NetworkTarget target;
    const std::string mode = settings.value("wlan_mode", std::string());
    const std::string port = settings.value("port", std::string());
    if (mode.rfind("Infrastructure", 0) != 0) {
        target.notChecked = "in " + mode + ", where it joins no network";
        return target;
    }
    if (!ParsePort(port, &target.port)) {
        target.notChecked = "its port \"" + port + "\" is not a TCP port";
        return target;
    }
    if (!settings.value("dhcp", true)) {
        target.address = settings.value("ip_address", std::string());
        target.foundBy = "static";
        if (!IsIpv4(target.address) || target.address == "0.0.0.0")
            target.notChecked = "its static address \"" + target.address + "\" is none";
        return target;
    }
    if (!given.empty()) {
        target.address = given;
        target.foundBy = givenBy;
        return target;
    }
    const std::string host = profiled.value("mdns_host_name", std::string());
    if (family == "module" && profiled.value("mdns", false) && !host.empty())
        target.mdnsName = host + ".local";
    target.macKey = MacKey(mac);
    if (target.mdnsName.empty() && target.macKey.empty())
        target.notChecked = "DHCP, and no inventory address, --address, mDNS name or MAC address";
    return target;
}

NetworkResult AwaitPrinter(const NetworkTarget& target, const NetworkProbes& probes,
                           std::chrono::seconds limit, Clock::time_point since, CWaitStop& stop,
                           const std::function<void(int)>& waiting) {
    using std::chrono::milliseconds;
    NetworkResult result;
    result.port = target.port;
    result.state = "not_checked";
    result.reason = target.notChecked;
    if (!target.notChecked.empty())
        return result;
    const Clock::time_point deadline = since + limit;
    const std::unique_ptr<CConnectAttempts> attempts = probes.attempts();
    long shown = -1;
    for (;;) {
        const Clock::time_point now = Clock::now();
        const long elapsed = static_cast<long>(
            std::chrono::duration_cast<std::chrono::seconds>(now - since).count());
        if (elapsed != shown)
            waiting(static_cast<int>(shown = elapsed));
        std::string foundBy = target.foundBy;
        const std::string address =
            target.address.empty() ? LookUp(target, probes, &foundBy) : target.address;
        const Clock::time_point tickEnd =
            std::max(std::min(now + kAttemptGap, deadline), now + kLeastTry);
        if (!address.empty()) {
            result.address = address;
            attempts->Start(address, target.port, kAttemptLife);
            if (attempts->WaitAccepted(std::chrono::ceil<milliseconds>(tickEnd - Clock::now()))) {
                const double seconds = std::chrono::duration<double>(Clock::now() - since).count();
                result.state = "reachable";
                result.seconds = std::round(seconds * 1000) / 1000;
                result.foundBy = foundBy;
                result.reason.clear();
                return result;
            }
        }
        // Attempts refused at once leave the rest of the gap to wait out.
        if (stop.WaitFor(std::chrono::ceil<milliseconds>(
                std::max(tickEnd - Clock::now(), Clock::duration::zero())))) {
            result.reason = "stopped after " +
                            Seconds(std::chrono::duration<double>(Clock::now() - since).count());
            return result;
        }
        if (Clock::now() >= deadline)
            break;
    }
    if (result.address.empty()) {
        result.reason = NothingFound(target, static_cast<long>(limit.count()));
        return result;
    }
    result.state = "unreachable";
    result.reason = "no answer within " + std::to_string(limit.count()) + " s";
    return result;
}

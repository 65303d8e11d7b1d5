// What verify's probes do alike on every system: the system's resolver through getaddrinfo, and
// addresses as text.
#include "cli/network_probe.h"

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

#include <cstdio>

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

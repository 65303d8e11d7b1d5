// What verify asks of this system's network: a TCP connection attempt, a name through the
// system's resolver and the neighbour (ARP) table.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

// Whether address (dotted IPv4) accepts a TCP connection on port within limit. The connection
// is closed at once, with no byte sent.
bool TcpAccepts(const std::string& address, uint16_t port, std::chrono::milliseconds limit);
// The first IPv4 address the system's resolver gives name, dotted; "" for none.
std::string ResolveIpv4(const std::string& name);

// Whether the system's sockets can be used (on Windows, Winsock started once for the program).
bool SocketsReady();
// An IPv4 address (an in_addr) as dotted text.
std::string DottedIpv4(const void* address);
// A link-layer address as MacKey gives one: lowercase hexadecimal digits.
std::string MacKeyOf(const unsigned char* bytes, size_t size);
// The IPv4 address the system's neighbour table holds for the MAC address key (as MacKey gives
// it), dotted; "" for none.
std::string NeighbourIpv4(const std::string& macKey);

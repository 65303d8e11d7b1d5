// What the network check asks of this system's network: TCP connection attempts, a name through
// the system's resolver and the neighbour (ARP) table.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "provision/printer_network.h"

// Attempts on this system's sockets.
std::unique_ptr<CConnectAttempts> SystemConnectAttempts();

// The two things a connection attempt asks of this system's sockets, apart so that the
// attempts themselves are written once.
using SocketHandle = intptr_t;
enum class ConnectState { kFailed, kPending, kAccepted };
// Starts a non-blocking connection to address:port, *s its socket unless it failed at once.
ConnectState StartConnect(const std::string& address, uint16_t port, SocketHandle* s);
// Waits at most limit for news of any of sockets; (*states)[i] says what became of sockets[i].
void PollConnects(const std::vector<SocketHandle>& sockets, std::chrono::milliseconds limit,
                  std::vector<ConnectState>* states);
void CloseSocket(SocketHandle s);
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

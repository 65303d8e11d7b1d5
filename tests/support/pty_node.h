// A pseudo-terminal in raw mode standing in for a printer's port or node: the test plays the
// printer on the master side.
#pragma once

#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// A pseudo-terminal whose slave, in raw mode, is the node the link opens.
struct PtyNode {
    PtyNode() {
        char name[256] = {};
        termios raw{};
        cfmakeraw(&raw);
        if (openpty(&master, &slave, name, &raw, nullptr) == 0)
            path = name;
    }
    ~PtyNode() {
        Unplug();
        close(slave);
    }
    void Send(const std::vector<uint8_t>& b) {
        EXPECT_EQ(write(master, b.data(), b.size()), ssize_t(b.size()));
    }
    // Every opener of the slave sees it hang up.
    void Unplug() {
        if (master >= 0)
            close(master);
        master = -1;
    }

    int master = -1, slave = -1;
    std::string path;
};

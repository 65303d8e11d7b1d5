// The POSIX USB link against a pseudo-terminal in raw mode standing in for the printer's node: the
// test plays the printer on the master side.
#include "link/usb_link_posix.h"

#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "tests/support/link_receiver.h"
#include "tests/support/sim_process.h"

namespace {

using simproc::Bytes;
using simproc::Clock;
using simproc::MsSince;

const Bytes kCurrentRead = {0x1B, 0x7E, 'R', 0x00};

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
    void Send(const Bytes& b) { EXPECT_EQ(write(master, b.data(), b.size()), ssize_t(b.size())); }
    // Every opener of the slave sees it hang up.
    void Unplug() {
        if (master >= 0)
            close(master);
        master = -1;
    }

    int master = -1, slave = -1;
    std::string path;
};

// Waits until done() holds, for 5 s at most.
template <typename Done>
bool Await(Done done) {
    const auto start = Clock::now();
    while (!done() && MsSince(start) < 5000)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return done();
}

// In the current generation's read, a reply is told once it ends with CR LF or 0, or once the
// line falls quiet after a reply that ends in any other byte; otherwise each chunk at once.
TEST(PosixUsbLink, BytesGoBothWaysAndInReadModeAReplyIsToldOnceWhole) {
    const struct {
        bool readMode;
        Bytes first, second;  // the second comes once the first was read
    } cases[] = {
        {true, {0x1B, 0x7E, 'R', 0x00, '@', 'O', 'f'}, {'f', 'i', 'c', 'e', 0x00}},
        {true, {0x1B, 0x7E, 'R', 0x00, 'B'}, {'R', '\r', '\n'}},
        {true, {0x1B, 0x7E, 'R', 0x00, 'B', 'R', '\r'}, {}},
        {false, {0x1B, 0x7E, 'R', 0x00, '@', 'O', 'f'}, {'f', 'i', 'c', 'e', 0x00}},
    };
    for (const auto& c : cases) {
        PtyNode node;
        Receiver rx;
        CPosixUsbLink link;
        ASSERT_EQ(link.Open(node.path, rx.queue, rx.Notify(), [&] { return c.readMode; }),
                  UsbOpenResult::kOpened);
        ASSERT_EQ(link.WriteComm(kCurrentRead.data(), 4), 4u);
        EXPECT_EQ(simproc::ReadFor(node.master, 4, 1000), kCurrentRead);
        node.Send(c.first);
        ASSERT_TRUE(Await([&] {
            return rx.queue.GetCount() == static_cast<int>(c.first.size()) || !rx.Events().empty();
        }));
        std::vector<Bytes> told{c.first};
        if (!c.second.empty()) {
            node.Send(c.second);
            if (c.readMode)
                told[0].insert(told[0].end(), c.second.begin(), c.second.end());
            else
                told.push_back(c.second);
        }
        EXPECT_EQ(rx.Chunks(told.size()), told) << c.readMode;
        EXPECT_EQ(rx.Chunks(told.size() + 1, 200).size(), told.size());
    }
}

// An unplug is told once, after what came; Close ends the reader at once, whether it waits for the
// printer, holds a reply or has ended.
TEST(PosixUsbLink, AnUnplugIsToldOnceAndCloseNeverHangs) {
    for (const bool unplug : {true, false}) {
        for (const bool held : {false, true}) {
            PtyNode node;
            Receiver rx;
            CPosixUsbLink link;
            ASSERT_EQ(link.Open(node.path, rx.queue, rx.Notify(), [] { return true; }),
                      UsbOpenResult::kOpened);
            if (held) {
                node.Send({0x1B, 0x7E, 'R'});
                ASSERT_TRUE(Await([&] { return rx.queue.GetCount() == 3; }));
            }
            if (unplug) {
                node.Unplug();
                std::vector<LinkEvent> told{LinkEvent::kDisconnected};
                if (held)
                    told.insert(told.begin(), LinkEvent::kData);
                rx.Chunks(told.size(), 10000);
                EXPECT_EQ(rx.Events(), told);
                EXPECT_EQ(rx.Chunks(told.size() + 1, 200).size(), told.size());
            }
            const auto start = Clock::now();
            link.Close();
            // Only a hang fails here: Close takes a few milliseconds.
            EXPECT_LT(MsSince(start), 2000);
            EXPECT_EQ(link.WriteComm(kCurrentRead.data(), 4), 0u);
        }
    }
}

}  // namespace

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

// The link moves bytes both ways and carries out the USB batching plan: in the current
// generation's read a reply in pieces is held, and told once when the line falls quiet after a
// reply that ends in neither CR LF nor 0.
TEST(PosixUsbLink, BytesGoBothWaysAndAHeldReplyIsToldOnceTheLineFallsQuiet) {
    PtyNode node;
    Receiver rx;
    CPosixUsbLink link;
    ASSERT_EQ(link.Open(node.path, rx.queue, rx.Notify(), [] { return true; }),
              UsbOpenResult::kOpened);
    ASSERT_EQ(link.WriteComm(kCurrentRead.data(), 4), 4u);
    EXPECT_EQ(simproc::ReadFor(node.master, 4, 1000), kCurrentRead);
    node.Send({0x1B, 0x7E, 'R', 0x00, 'B'});
    ASSERT_TRUE(Await([&] { return rx.queue.GetCount() == 5; }));
    node.Send({'R', '\r'});
    EXPECT_EQ(rx.Chunks(1), (std::vector<Bytes>{{0x1B, 0x7E, 'R', 0x00, 'B', 'R', '\r'}}));
    EXPECT_EQ(rx.Chunks(2, 200).size(), 1u);
}

// An unplug is told once, after what came; Close ends the reader at once, whether it has ended or
// waits for the printer without a time limit.
TEST(PosixUsbLink, AnUnplugIsToldOnceAndCloseNeverHangs) {
    for (const bool unplug : {true, false}) {
        PtyNode node;
        Receiver rx;
        CPosixUsbLink link;
        ASSERT_EQ(link.Open(node.path, rx.queue, rx.Notify(), [] { return true; }),
                  UsbOpenResult::kOpened);
        if (unplug) {
            node.Send({0x1B, 0x7E, 'R'});
            ASSERT_TRUE(Await([&] { return rx.queue.GetCount() == 3; }));
            node.Unplug();
            rx.Chunks(2, 10000);
            EXPECT_EQ(rx.Events(),
                      (std::vector<LinkEvent>{LinkEvent::kData, LinkEvent::kDisconnected}));
            EXPECT_EQ(rx.Chunks(3, 200).size(), 2u);
        }
        const auto start = Clock::now();
        link.Close();
        // Only a hang fails here: Close takes a few milliseconds.
        EXPECT_LT(MsSince(start), 2000);
        EXPECT_EQ(link.WriteComm(kCurrentRead.data(), 4), 0u);
    }
}

}  // namespace

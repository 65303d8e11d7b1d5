// The POSIX USB link against a pseudo-terminal in raw mode standing in for the printer's node: the
// test plays the printer on the master side.
#include "link/usb_link_posix.h"

#include <gtest/gtest.h>

#include <thread>

#include "tests/support/link_receiver.h"
#include "tests/support/pty_node.h"
#include "tests/support/sim_process.h"

namespace {

using simproc::Bytes;
using simproc::Clock;
using simproc::MsSince;

const Bytes kCurrentRead = {0x1B, 0x7E, 'R', 0x00};

// Waits until the reader has queued count bytes; its limit only catches a hang.
bool AwaitQueued(Receiver& rx, int count) {
    const auto start = Clock::now();
    while (rx.queue.GetCount() != count && MsSince(start) < Receiver::kAwaitLimitMs)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (rx.queue.GetCount() == count)
        return true;
    ADD_FAILURE() << "waited " << Receiver::kAwaitLimitMs << " ms for the reader to queue " << count
                  << " bytes, " << rx.queue.GetCount() << " are queued";
    return false;
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
    ASSERT_TRUE(AwaitQueued(rx, 5));
    node.Send({'R', '\r'});
    EXPECT_EQ(rx.Await(1, "the held reply, once the line fell quiet"),
              (std::vector<Bytes>{{0x1B, 0x7E, 'R', 0x00, 'B', 'R', '\r'}}));
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
            ASSERT_TRUE(AwaitQueued(rx, 3));
            node.Unplug();
            rx.Await(2, "the unplug");
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

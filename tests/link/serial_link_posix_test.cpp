// The POSIX serial link against printer-sim, or the test itself, on a pseudo-terminal.
#include "link/serial_link_posix.h"

#include <signal.h>

#include <gtest/gtest.h>

#include <cerrno>

#include "sim/sim_printer.h"
#include "tests/support/link_receiver.h"
#include "tests/support/pty_node.h"
#include "tests/support/sim_process.h"

namespace {

using simproc::Bytes;
using simproc::Clock;
using simproc::MsSince;
using simproc::SimProcess;

const Bytes kIdentify = {0x1B, 0x00, 0x02, 0x02};
const Bytes kCurrentRead = {0x1B, 0x7E, 'R', 0x00};
const Bytes kOfficeReply = {0x1B, 0x7E, 'R', 0x00, '@', 'O', 'f', 'f', 'i', 'c', 'e', 0x00};

SerialSettings Settings(const std::string& path, uint32_t baud = 57600) {
    SerialSettings s;
    s.portName = path;
    s.baudRate = baud;
    return s;
}

TEST(PosixSerialLink, EachReplyArrivesWholeInOneNotificationAndCloseEndsTheReaderPromptly) {
    SimProcess sim({"--model", "5", "--set", "ssid=Office"});
    const std::string path = sim.Path();
    ASSERT_FALSE(path.empty());
    Receiver rx;
    CPosixSerialLink link;
    // Even parity and two stop bits are taken by the port as well as the defaults.
    SerialSettings settings = Settings(path);
    settings.parity = 2;
    settings.stopBits = 2;
    ASSERT_EQ(link.Open(settings, rx.queue, rx.Notify()), SerialOpenResult::kOpened);
    ASSERT_EQ(link.WriteComm(kIdentify.data(), 4), 4u);
    ASSERT_EQ(rx.Await(1, "the identification reply").size(), 1u);
    ASSERT_EQ(link.WriteComm(kCurrentRead.data(), 4), 4u);
    const std::vector<Bytes> chunks = rx.Await(2, "the read's reply");
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0], CSimPrinter::IdentifyReply('5'));
    EXPECT_EQ(chunks[1], kOfficeReply);
    EXPECT_EQ(rx.Events(), std::vector<LinkEvent>(2, LinkEvent::kData));
    // Nothing else trails them.
    EXPECT_EQ(rx.Chunks(3, 200).size(), 2u);
    const auto start = Clock::now();
    link.Close();
    // Only a hang fails here: Close takes a few milliseconds.
    EXPECT_LT(MsSince(start), 2000);
    EXPECT_EQ(link.WriteComm(kIdentify.data(), 4), 0u);
    link.Close();
}

// The link hands bytes on as they come: a reply's first part is told alone, however long its rest
// takes, and the rest in a notification of its own. The test plays the printer, so the second part
// goes only once the first has been told, on however busy a machine.
TEST(PosixSerialLink, PartsOfAReplyApartArriveAsTwo) {
    PtyNode port;
    Receiver rx;
    CPosixSerialLink link;
    ASSERT_EQ(link.Open(Settings(port.path), rx.queue, rx.Notify()), SerialOpenResult::kOpened);
    ASSERT_EQ(link.WriteComm(kCurrentRead.data(), 4), 4u);
    EXPECT_EQ(simproc::ReadFor(port.master, 4, Receiver::kAwaitLimitMs), kCurrentRead);
    const Bytes first(kOfficeReply.begin(), kOfficeReply.begin() + 6);
    const Bytes rest(kOfficeReply.begin() + 6, kOfficeReply.end());
    port.Send(first);
    EXPECT_EQ(rx.Await(1, "the reply's first part"), std::vector<Bytes>{first});
    port.Send(rest);
    EXPECT_EQ(rx.Await(2, "the rest of the reply"), (std::vector<Bytes>{first, rest}));
}

TEST(PosixSerialLink, AHangUpIsToldOnceAndEndsTheReader) {
    SimProcess sim({"--model", "5"});
    Receiver rx;
    CPosixSerialLink link;
    ASSERT_EQ(link.Open(Settings(sim.Path()), rx.queue, rx.Notify()), SerialOpenResult::kOpened);
    sim.Exit(SIGKILL);
    rx.Await(1, "the hang-up");
    EXPECT_EQ(rx.Events(), std::vector<LinkEvent>{LinkEvent::kDisconnected});
    EXPECT_EQ(rx.Chunks(2, 200).size(), 1u);
    link.Close();
}

TEST(PosixSerialLink, BadOrBusyPortsFailAndLeaveNothingOpen) {
    SimProcess sim({"--model", "5"});
    const std::string path = sim.Path();
    ASSERT_FALSE(path.empty());
    Receiver rx;
    CPosixSerialLink first, second;
    int error = 0;
    EXPECT_EQ(second.Open(Settings("/dev/no-such-port"), rx.queue, rx.Notify(), &error),
              SerialOpenResult::kOpenFailed);
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(second.Open(Settings(path, 12345), rx.queue, rx.Notify(), &error),
              SerialOpenResult::kConfigFailed);
    EXPECT_EQ(error, EINVAL);
    ASSERT_EQ(first.Open(Settings(path), rx.queue, rx.Notify()), SerialOpenResult::kOpened);
    EXPECT_EQ(second.Open(Settings(path), rx.queue, rx.Notify(), &error), SerialOpenResult::kInUse);
    EXPECT_EQ(error, EBUSY);
    EXPECT_EQ(second.WriteComm(kIdentify.data(), 4), 0u);
    // Once the first lets go, the port is free again.
    first.Close();
    EXPECT_EQ(second.Open(Settings(path), rx.queue, rx.Notify()), SerialOpenResult::kOpened);
}

}  // namespace

// Feeds arbitrary replies to the current-generation page while it reads, saves or idles, and the
// replies a printer could give with any bytes where the protocol leaves them open, interleaved with
// clock ticks and operator actions.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "page_current/page1_layout.h"
#include "page_current/page1_protocol.h"
#include "tests/fuzz/page_fuzz_world.h"

namespace {

// A header of Q C B H I M F G E D W, or the factory reset; R n and the "X ?" queries only read.
bool WritesSettings(const std::vector<uint8_t>& frame) {
    if (frame.size() < 3 || frame[0] != page1::kEsc || frame[1] != page1::kTilde)
        return false;
    if (frame[2] == 'O')
        return true;
    const bool query = frame.size() == 4 && frame[3] == '?';
    return !query && frame[2] != 0 && std::strchr("QCBHIMFGEDW", frame[2]) != nullptr;
}

std::string Address(FuzzInput& in) {
    std::string address = std::to_string(in.Byte());
    for (int i = 0; i < 3; ++i)
        address += "." + std::to_string(in.Byte());
    return address;
}

// A value a printer could answer the query with: the band's digit, the region's two capital
// letters, the access point's addresses, or the DHCP flag and the station's addresses.
std::string QueryValue(uint8_t letter, FuzzInput& in) {
    switch (letter) {
        case 'Q':
            return std::string(1, static_cast<char>('0' + in.Byte() % 10));
        case 'C':
            return {static_cast<char>('A' + in.Byte() % 26),
                    static_cast<char>('A' + in.Byte() % 26)};
        case 'H':
            return Address(in) + " " + Address(in) + " " + Address(in);
        case 'B':
            return std::to_string(in.Byte() % 2) + " " + Address(in) + " " + Address(in) + " " +
                   Address(in) + " " + Address(in);
    }
    return std::string();
}

// The whole reply to request, with any bytes where the protocol leaves them open: a query's byte
// after its letter (its value now and then with a stray byte) and 1 to 3 bytes after its value, an
// R item's value and 0 to 3 bytes after it.
std::vector<uint8_t> WholeReply(const std::vector<uint8_t>& request, FuzzInput& in) {
    if (request.size() < 3)
        return {};
    const uint8_t letter = request[2];
    std::vector<uint8_t> reply = {page1::kEsc, page1::kTilde, letter};
    size_t openEnd = 0;
    if (letter == 'R' && request.size() == 4) {
        reply.insert(reply.end(), {request[3], page1::kAccepted});
        const std::vector<uint8_t> value = in.Text(in.Byte());
        reply.insert(reply.end(), value.begin(), value.end());
        openEnd = in.Byte() % 4;
    } else if (request.size() == 4 && request[3] == '?') {
        reply.push_back(in.Byte());
        std::string value = QueryValue(letter, in);
        // Now and then a stray byte inside the value, as a garbled line gives one.
        if (!value.empty() && (in.Byte() & 0x07) == 0)
            value[in.Byte() % value.size()] = static_cast<char>(in.Byte());
        reply.insert(reply.end(), value.begin(), value.end());
        openEnd = 1 + in.Byte() % 3;
    } else {  // an acknowledgement; the port's names its item
        if (letter == 'W')
            reply.push_back(page1::kItemPort);
        reply.push_back(page1::kAccepted);
    }
    const std::vector<uint8_t> end = in.Take(openEnd);
    reply.insert(reply.end(), end.begin(), end.end());
    return reply;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static PageFuzzWorld* world = new PageFuzzWorld();
    PageFuzzWorld& w = *world;
    // Its reply timers run from 3 s (most requests) to 17 s (the join).
    w.Begin(w.dlg.m_page1, '5', {3000, 17000, WritesSettings});
    CPage1New& page = w.dlg.m_page1;
    FuzzInput in{data, size};
    while (in.More() && w.Shown()) {
        const uint8_t op = in.Byte();
        switch (op % 8) {
            case 0:
            case 1: {  // a reply, most often one that starts like the real thing
                std::vector<uint8_t> reply;
                if (op & 0x80)
                    reply = {0x1B, 0x7E};
                const std::vector<uint8_t> rest = in.Take(in.Byte());
                reply.insert(reply.end(), rest.begin(), rest.end());
                w.Deliver(reply, in);
                break;
            }
            case 2:
                w.Deliver(WholeReply(w.LastRequest(), in), in);
                break;
            case 3:
                w.Click(page1::IDC_READ);
                break;
            case 4:
                w.Click(page1::IDC_SAVE);
                break;
            case 5:
                w.Advance(op * 40u);
                break;
            case 6: {
                static const int radios[] = {page1::IDC_SEC_NONE, page1::IDC_SEC_WEP,
                                             page1::IDC_SEC_WPA};
                w.Click(radios[(op >> 3) % 3]);
                break;
            }
            case 7:
                w.ui.Select(page, (op & 0x08) ? page1::IDC_KEY_FORMAT : page1::IDC_WLAN_MODE,
                            (op >> 4) & 1);
                break;
        }
        w.Drain();
    }
    w.End();
    return 0;
}

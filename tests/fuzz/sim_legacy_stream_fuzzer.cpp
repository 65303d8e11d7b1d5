// Feeds arbitrary byte streams, in arbitrary pieces and with faults switched on, to a simulated
// legacy printer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sim/sim_legacy.h"
#include "sim/sim_printer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    // The first byte picks the faults, the second the piece size.
    const uint8_t setup = data[0];
    const size_t piece = 1 + data[1] % 16;
    data += 2;
    size -= 2;

    const bool split = setup & 24;
    CSimPrinter printer('3', [split](std::vector<uint8_t> bytes, unsigned) {
        // Every reply is framed, the legacy protocol's (1B 7E) or the identification's (1B 00)
        // when the stream holds an identification request; a split reply's second part holds its
        // tail.
        const bool framed =
            bytes.size() >= 3 && bytes[0] == 0x1B && (bytes[1] == 0x7E || bytes[1] == 0x00);
        if (bytes.empty() || (!split && !framed))
            std::abort();
    });
    CSimLegacy* legacy = printer.ProtocolAs<CSimLegacy>();
    if (legacy == nullptr)
        std::abort();
    if (setup & 1)
        legacy->Refuse({'W', 0x21});
    if (setup & 2)
        legacy->Silence({'R'});
    if (setup & 4)
        legacy->AnswerWithLetter({'S'}, 'R');
    legacy->SetSplitIdentity(setup & 8);
    legacy->SetSplitReplies(setup & 16);
    for (size_t at = 0; at < size; at += piece)
        printer.Receive(data + at, size - at < piece ? size - at : piece);
    for (const auto& [record, bytes] : legacy->Records()) {
        if (bytes.size() != CSimLegacy::RecordSize(record))
            std::abort();
    }
    if (legacy->Requests().size() > CSimLegacy::kLogLimit)
        std::abort();
    return 0;
}

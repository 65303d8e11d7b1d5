// Feeds arbitrary byte streams, in arbitrary pieces and with faults switched on, to a simulated
// current-generation printer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sim/sim_current_gen.h"
#include "sim/sim_printer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    // The first byte picks the model and the faults, the second the piece size.
    const uint8_t setup = data[0];
    const size_t piece = 1 + data[1] % 16;
    data += 2;
    size -= 2;

    CSimPrinter printer(setup & 1 ? '7' : '5', [](std::vector<uint8_t> bytes, unsigned) {
        if (bytes.empty())
            std::abort();  // a reply, or a part of one, always has bytes
    });
    CSimCurrentGen* gen = printer.ProtocolAs<CSimCurrentGen>();
    if (gen == nullptr)
        std::abort();
    gen->SetSplitReplies(setup & 2);
    gen->SetJoinFails(setup & 4);
    if (setup & 8)
        gen->Refuse('M');
    if (setup & 16)
        gen->Silence('R');
    if (setup & 32)
        gen->RefuseRead(0x06);
    for (size_t at = 0; at < size; at += piece)
        printer.Receive(data + at, size - at < piece ? size - at : piece);
    if (gen->Requests().size() > CSimCurrentGen::kLogLimit)
        std::abort();
    return 0;
}

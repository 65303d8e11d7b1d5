// Feeds arbitrary byte streams, in arbitrary pieces and with faults switched on, to a simulated
// current-generation printer or Wi-Fi module.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sim/sim_current_gen.h"
#include "sim/sim_module.h"
#include "sim/sim_printer.h"

namespace {

void SetUpCurrentGen(uint8_t setup, CSimCurrentGen* gen) {
    gen->SetSplitReplies(setup & 2);
    gen->SetJoinFails(setup & 4);
    if (setup & 8)
        gen->Refuse('M');
    if (setup & 16)
        gen->Silence('R');
    if (setup & 32)
        gen->RefuseRead(0x06);
}

void SetUpModule(uint8_t setup, CSimModule* module) {
    module->SetBadVersionReplies(setup & 2);
    if (setup & 4)
        module->SetItem("version", "E1.00");
    if (setup & 8)
        module->RefuseWrite(19);
    if (setup & 16)
        module->Silence('R', 17);
    if (setup & 32)
        module->AcknowledgeAs(17, 1);
    module->SetSplitReplies(setup & 128);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    // The first byte picks the family, the model and the faults, the second the piece size.
    const uint8_t setup = data[0];
    const size_t piece = 1 + data[1] % 16;
    data += 2;
    size -= 2;

    const uint8_t model = setup & 64 ? '4' : setup & 1 ? '7' : '5';
    CSimPrinter printer(model, [](std::vector<uint8_t> bytes, unsigned) {
        if (bytes.empty())
            std::abort();  // a reply, or a part of one, always has bytes
    });
    CSimCurrentGen* gen = printer.ProtocolAs<CSimCurrentGen>();
    CSimModule* module = printer.ProtocolAs<CSimModule>();
    if ((gen == nullptr) == (module == nullptr))
        std::abort();
    if (gen != nullptr)
        SetUpCurrentGen(setup, gen);
    else
        SetUpModule(setup, module);
    for (size_t at = 0; at < size; at += piece)
        printer.Receive(data + at, size - at < piece ? size - at : piece);
    if ((gen != nullptr && gen->Requests().size() > CSimCurrentGen::kLogLimit) ||
        (module != nullptr && module->Requests().size() > CSimModule::kLogLimit))
        std::abort();
    return 0;
}

// A simulated printer whose sends are recorded instead of delivered, and byte helpers for its
// tests.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "sim/sim_printer.h"

using Bytes = std::vector<uint8_t>;

inline const Bytes kIdentify = {0x1B, 0x00, 0x02, 0x02};

inline Bytes Cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ESC '~' and then the bytes of `rest`.
inline Bytes Esc(const std::string& rest) {
    return Cat({0x1B, 0x7E}, Bytes(rest.begin(), rest.end()));
}

struct Sent {
    Bytes bytes;
    unsigned delayMs;
    bool operator==(const Sent& o) const { return bytes == o.bytes && delayMs == o.delayMs; }
};

inline void PrintTo(const Sent& s, std::ostream* os) {
    for (uint8_t b : s.bytes)
        *os << std::hex << static_cast<int>(b) << " ";
    *os << "@" << std::dec << s.delayMs << "ms";
}

// `family` is the printer's family protocol as a Family, or null when it is another.
template <class Family>
struct SimRig {
    explicit SimRig(uint8_t model)
        : printer(model,
                  [this](Bytes b, unsigned ms) {
                      sent.push_back({std::move(b), ms});
                  }),
          family(printer.template ProtocolAs<Family>()) {}
    void Feed(const Bytes& b) { printer.Receive(b.data(), b.size()); }
    // Feeds bytes and returns everything sent for them, all parts joined.
    Bytes Ask(const Bytes& request) {
        const size_t before = sent.size();
        Feed(request);
        Bytes out;
        for (size_t i = before; i < sent.size(); ++i)
            out = Cat(out, sent[i].bytes);
        return out;
    }
    std::vector<Sent> sent;
    CSimPrinter printer;
    Family* family;
};

// The seam between the simulated printer's core and one printer family's command protocol.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

// Delivers bytes to the utility delayMs after the call. Sends reach the utility in call order.
using SimSendFn = std::function<void(std::vector<uint8_t> bytes, unsigned delayMs)>;

// A split reply's second part follows its first this much later: longer than any silence the
// utility's link batches by, so the two reach the utility apart, and shorter than the line's quiet
// gap, which would end a value whose end only its 00 shows.
constexpr unsigned kSimSplitGapMs = 20;

// Where a split reply is cut: past the three-byte head, halfway through what follows, so the cut
// falls inside the payload (a value's text, a record) and not only between head and payload. A
// reply of its head alone loses its letter to the second part.
inline size_t SimSplitPoint(size_t size) {
    constexpr size_t kHead = 3;
    return size > kHead ? kHead + (size - kHead) / 2 : size - 1;
}

// Sends a reply delayMs from now, whole, or when split in two parts kSimSplitGapMs apart.
inline void SimSendReply(const SimSendFn& send, std::vector<uint8_t> reply, unsigned delayMs,
                         bool split) {
    if (!split || reply.size() < 2) {
        send(std::move(reply), delayMs);
        return;
    }
    const auto cut = reply.begin() + static_cast<std::ptrdiff_t>(SimSplitPoint(reply.size()));
    send(std::vector<uint8_t>(reply.begin(), cut), delayMs);
    send(std::vector<uint8_t>(cut, reply.end()), delayMs + kSimSplitGapMs);
}

// A printer family's side of its ESC '~' protocol. The core hands it, in order, every received
// byte that is not part of an identification request.
class CSimProtocol {
  public:
    virtual ~CSimProtocol() = default;

    virtual void OnByte(uint8_t byte, const SimSendFn& send) = 0;

    // True while a frame of the family is under way. The core then passes ESC through instead of
    // taking it as the start of an identification request, so binary payloads stay intact.
    virtual bool InFrame() const = 0;

    // How long after a request its reply is sent; the core passes on its own reply delay.
    virtual void SetReplyDelay(unsigned) {}
    // Every reply in two parts (SimSendReply); the core passes on its own choice.
    virtual void SetSplitReplies(bool) {}
    // How many saves have ended: a printer takes what it was sent onto its network only then.
    virtual unsigned SavesEnded() const { return 0; }
};

// A printer that answers nothing but the identification.
class CSimIgnoreProtocol : public CSimProtocol {
  public:
    void OnByte(uint8_t, const SimSendFn&) override {}
    bool InFrame() const override { return false; }
};

// The seam between the simulated printer's core and one printer family's command protocol.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Delivers bytes to the utility delayMs after the call. Sends reach the utility in call order.
using SimSendFn = std::function<void(std::vector<uint8_t> bytes, unsigned delayMs)>;

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
};

// A printer that answers nothing but the identification.
class CSimIgnoreProtocol : public CSimProtocol {
  public:
    void OnByte(uint8_t, const SimSendFn&) override {}
    bool InFrame() const override { return false; }
};

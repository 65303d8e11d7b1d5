// A simulated printer without a transport: bytes from the utility in, timed replies out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "sim/sim_protocol.h"

// How the printer answers the identification request; everything but kNormal is a fault.
enum class IdentifyMode {
    kNormal,        // the full reply after the reply delay
    kSilent,        // no answer at all
    kOneByte,       // only the first byte of the reply
    kTwoBytes,      // only the first two bytes
    kShort3,        // the first 3 bytes: no model character
    kShort4,        // the first 4 bytes
    kShort5,        // the first 5 bytes
    kUnknownModel,  // the full reply naming kUnknownModelChar
    kSplit,         // the full reply in two parts (SimSendReply)
};

class CSimPrinter {
  public:
    static constexpr uint8_t kRequest[4] = {0x1B, 0x00, 0x02, 0x02};
    static constexpr size_t kReplySize = 8;
    static constexpr size_t kModelIndex = 5;
    static constexpr uint8_t kUnknownModelChar = '9';
    static constexpr unsigned kDefaultDelayMs = 20;
    // The received-bytes log stops growing here so a flood cannot exhaust memory.
    static constexpr size_t kLogLimit = 1 << 20;

    // model: the character at index 5 of the reply; any byte is accepted.
    CSimPrinter(uint8_t model, SimSendFn send);
    CSimPrinter(const CSimPrinter&) = delete;
    CSimPrinter& operator=(const CSimPrinter&) = delete;

    // Bytes from the utility, in pieces of any size. Calls must come from one thread at a time.
    void Receive(const uint8_t* data, size_t n);

    void SetIdentifyMode(IdentifyMode mode) { mode_ = mode; }
    void SetReplyDelay(unsigned ms);
    // Every reply in two parts, the identification's and the family protocol's (printer-sim
    // --split); passed on to a protocol put in place later too.
    void SetSplitReplies(bool on);
    // The constructor picks the family protocol by model; tests may put another in its place.
    void SetProtocol(std::unique_ptr<CSimProtocol> protocol);
    // The family protocol in use as a T, or null when it is not one.
    template <class T>
    T* ProtocolAs() {
        return dynamic_cast<T*>(protocol_.get());
    }

    uint8_t Model() const { return model_; }
    unsigned SavesEnded() const { return protocol_->SavesEnded(); }
    // The normal identification reply for a model character.
    static std::vector<uint8_t> IdentifyReply(uint8_t model);

    // Every byte received so far (up to kLogLimit), and how many identifications were answered
    // or ignored.
    const std::vector<uint8_t>& Received() const { return received_; }
    void ClearReceived() { received_.clear(); }
    int IdentifyCount() const { return identifyCount_; }

  private:
    void Feed(uint8_t byte);
    void Answer();

    const uint8_t model_;
    SimSendFn send_;
    std::unique_ptr<CSimProtocol> protocol_;
    IdentifyMode mode_ = IdentifyMode::kNormal;
    unsigned delayMs_ = kDefaultDelayMs;
    bool split_ = false;
    size_t matched_ = 0;  // bytes of kRequest seen so far
    std::vector<uint8_t> received_;
    int identifyCount_ = 0;
};

// Command-line names of the identification modes ("normal", "silent", "one", "two", "short3",
// "short4", "short5", "unknown", "split"). Returns false for an unknown name.
bool ParseIdentifyMode(const char* name, IdentifyMode* mode);

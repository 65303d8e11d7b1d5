// The legacy printers' (model '3') side of their ESC '~' protocol: fourteen fixed-size setting
// records that W changes and R returns, the identity block, and faults on request.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sim/sim_protocol.h"

// A request as the printer took it: the letter, the record of R and W, the payload of W.
struct SimLegacyRequest {
    uint8_t letter;
    int record;  // -1 for S, C, F, G
    std::vector<uint8_t> payload;
    bool operator==(const SimLegacyRequest& o) const {
        return letter == o.letter && record == o.record && payload == o.payload;
    }
};

// Which requests a fault hits: a letter, and for R and W one record or (-1) all.
struct SimLegacyMatch {
    uint8_t letter;
    int record = -1;
};

class CSimLegacy : public CSimProtocol {
  public:
    static constexpr size_t kIdentitySize = 19;
    static constexpr unsigned kSplitGapMs = kSimSplitGapMs;
    static constexpr unsigned kDefaultDelayMs = 20;
    static constexpr size_t kLogLimit = 10000;
    static constexpr uint8_t kPassphraseRecord = 0x24;
    static constexpr uint8_t kSsidRecord = 0x21;
    static constexpr uint8_t kPskRecord = 0x25;

    // Bytes of a record, 0 for a number the printer does not keep.
    static size_t RecordSize(uint8_t record);

    CSimLegacy();

    void OnByte(uint8_t byte, const SimSendFn& send) override;
    bool InFrame() const override { return state_ == State::kRecord || state_ == State::kPayload; }
    void SetReplyDelay(unsigned ms) override { delayMs_ = ms; }
    // Every reply in two parts (SimSendReply); SetSplitIdentity below splits only the identity.
    void SetSplitReplies(bool on) override { splitReplies_ = on; }
    // A save ends with F.
    unsigned SavesEnded() const override { return savesEnded_; }

    // The identity block: version major.minor and a revision (0 is 'a'), and the MAC address.
    void SetVersion(uint8_t major, uint8_t minor, uint8_t revision);
    void SetMac(const std::array<uint8_t, 6>& mac) { mac_ = mac; }
    std::vector<uint8_t> IdentityReply() const;

    // The store. SetRecord is false for an unknown record or bytes of another size.
    const std::map<uint8_t, std::vector<uint8_t>>& Records() const { return records_; }
    bool SetRecord(uint8_t record, const std::vector<uint8_t>& bytes);

    // Record 0x25 against the key this printer derives from records 0x24 and 0x21.
    enum class PskCheck { kNotWritten, kMatch, kMismatch };
    PskCheck CheckPsk() const;
    // Every record as "NN hex bytes" on a line, then "psk match", "psk mismatch" or
    // "psk unwritten": what printer-sim shows of the store.
    std::string StoreText() const;

    // Faults; each hits every matching request until cleared. A refused or silenced request
    // changes nothing in the store.
    void Refuse(SimLegacyMatch match) { refused_.push_back(match); }  // the error reply
    void Silence(SimLegacyMatch match) { silenced_.push_back(match); }
    // The right reply with another letter in place of the request's.
    void AnswerWithLetter(SimLegacyMatch match, uint8_t letter) {
        relettered_.push_back({match, letter});
    }
    void SetSplitIdentity(bool on) { splitIdentity_ = on; }
    void ClearFaults();

    // Every request taken, in order, up to kLogLimit entries.
    const std::vector<SimLegacyRequest>& Requests() const { return log_; }
    void ClearRequests() { log_.clear(); }

  private:
    enum class State { kIdle, kEsc, kTilde, kRecord, kPayload };
    struct Relettered {
        SimLegacyMatch match;
        uint8_t letter;
    };

    void Finish(const SimLegacyRequest& request, const SimSendFn& send);
    std::vector<uint8_t> Answer(const SimLegacyRequest& request);
    static bool Hits(const std::vector<SimLegacyMatch>& matches, const SimLegacyRequest& request);

    std::map<uint8_t, std::vector<uint8_t>> records_;
    bool pskWritten_ = false;
    unsigned savesEnded_ = 0;
    uint8_t version_[3] = {1, 2, 0};
    std::array<uint8_t, 6> mac_ = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};

    State state_ = State::kIdle;
    SimLegacyRequest current_{0, -1, {}};
    unsigned delayMs_ = kDefaultDelayMs;
    std::vector<SimLegacyMatch> refused_, silenced_;
    std::vector<Relettered> relettered_;
    bool splitIdentity_ = false;
    bool splitReplies_ = false;
    std::vector<SimLegacyRequest> log_;
};

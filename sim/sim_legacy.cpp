// The legacy protocol: frame parsing, the record store, replies, faults and the key check.
#include "sim/sim_legacy.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "page_shared/escape_frame.h"

namespace {

using escape::kEsc;
using escape::kTilde;
constexpr uint8_t kErrorLetter = '9';

struct RecordEntry {
    uint8_t record;
    uint8_t size;
};
constexpr RecordEntry kRecordSizes[] = {
    {0x00, 4},  {0x01, 4},  {0x02, 4},  {0x03, 4},  {0x10, 2},  {0x20, 7},  {0x21, 32},
    {0x22, 20}, {0x23, 52}, {0x24, 32}, {0x25, 32}, {0x30, 12}, {0x40, 64}, {0x50, 64},
};

std::vector<uint8_t> Padded(const std::string& text, size_t size) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.resize(size, 0);
    return bytes;
}

bool Matches(const SimLegacyMatch& m, const SimLegacyRequest& request) {
    return m.letter == request.letter && (m.record < 0 || m.record == request.record);
}

// A text record up to its first zero byte.
std::string TextOf(const std::vector<uint8_t>& record) {
    const auto end = std::find(record.begin(), record.end(), 0);
    return std::string(record.begin(), end);
}

}  // namespace

size_t CSimLegacy::RecordSize(uint8_t record) {
    for (const RecordEntry& entry : kRecordSizes) {
        if (entry.record == record)
            return entry.size;
    }
    return 0;
}

CSimLegacy::CSimLegacy() {
    for (const RecordEntry& entry : kRecordSizes)
        records_[entry.record] = std::vector<uint8_t>(entry.size, 0);
    records_[0x00] = {192, 168, 1, 100};
    records_[0x01] = {255, 255, 255, 0};
    records_[0x02] = {192, 168, 1, 1};
    records_[0x03] = {192, 168, 1, 1};
    records_[0x20] = {1, 6, 0, 0, 1, 0, 1};  // Infrastructure, channel 6, open, no encryption
    records_[0x21] = Padded("Legacy-Printer", 32);
    records_[0x30] = {0, 0, 0, 0, 0x8C, 0x23, 0, 0, 0, 0, 0, 0};  // port 9100
}

void CSimLegacy::SetVersion(uint8_t major, uint8_t minor, uint8_t revision) {
    version_[0] = major;
    version_[1] = minor;
    version_[2] = revision;
}

std::vector<uint8_t> CSimLegacy::IdentityReply() const {
    std::vector<uint8_t> reply(kIdentitySize, 0);
    reply[0] = kEsc;
    reply[1] = kTilde;
    reply[2] = 'C';
    std::copy(version_, version_ + 3, reply.begin() + 4);
    std::copy(mac_.begin(), mac_.end(), reply.begin() + 11);
    return reply;
}

bool CSimLegacy::SetRecord(uint8_t record, const std::vector<uint8_t>& bytes) {
    if (RecordSize(record) == 0 || bytes.size() != RecordSize(record))
        return false;
    records_[record] = bytes;
    return true;
}

CSimLegacy::PskCheck CSimLegacy::CheckPsk() const {
    if (!pskWritten_)
        return PskCheck::kNotWritten;
    const std::string passphrase = TextOf(records_.at(kPassphraseRecord));
    const std::string ssid = TextOf(records_.at(kSsidRecord));
    uint8_t psk[32];
    PKCS5_PBKDF2_HMAC_SHA1(passphrase.data(), static_cast<int>(passphrase.size()),
                           reinterpret_cast<const uint8_t*>(ssid.data()),
                           static_cast<int>(ssid.size()), 4096, sizeof psk, psk);
    const std::vector<uint8_t>& written = records_.at(kPskRecord);
    return std::equal(written.begin(), written.end(), psk) ? PskCheck::kMatch : PskCheck::kMismatch;
}

std::string CSimLegacy::StoreText() const {
    std::string text;
    char hex[4];
    for (const auto& [record, bytes] : records_) {
        std::snprintf(hex, sizeof hex, "%02X", record);
        text += hex;
        for (uint8_t b : bytes) {
            std::snprintf(hex, sizeof hex, " %02X", b);
            text += hex;
        }
        text += '\n';
    }
    const PskCheck check = CheckPsk();
    text += check == PskCheck::kMatch      ? "psk match\n"
            : check == PskCheck::kMismatch ? "psk mismatch\n"
                                           : "psk unwritten\n";
    return text;
}

void CSimLegacy::ClearFaults() {
    refused_.clear();
    silenced_.clear();
    relettered_.clear();
    splitIdentity_ = false;
    splitReplies_ = false;
}

void CSimLegacy::OnByte(uint8_t byte, const SimSendFn& send) {
    switch (state_) {
        case State::kIdle:
            if (byte == kEsc)
                state_ = State::kEsc;
            return;
        case State::kEsc:
            if (byte != kEsc)
                state_ = byte == kTilde ? State::kTilde : State::kIdle;
            return;
        case State::kTilde:
            if (byte == 'R' || byte == 'W') {
                current_ = {byte, -1, {}};
                state_ = State::kRecord;
                return;
            }
            // S, C, F and G end with their letter; any other letter is dropped with its frame.
            state_ = byte == kEsc ? State::kEsc : State::kIdle;
            if (byte != 0 && std::strchr("SCFG", byte) != nullptr)
                Finish({byte, -1, {}}, send);
            return;
        case State::kRecord:
            current_.record = byte;
            // W of a record the printer does not keep has no known length: refused at once.
            if (current_.letter == 'W' && RecordSize(byte) != 0) {
                state_ = State::kPayload;
                return;
            }
            state_ = State::kIdle;
            Finish(current_, send);
            return;
        case State::kPayload:
            current_.payload.push_back(byte);
            if (current_.payload.size() == RecordSize(static_cast<uint8_t>(current_.record))) {
                state_ = State::kIdle;
                Finish(current_, send);
            }
            return;
    }
}

bool CSimLegacy::Hits(const std::vector<SimLegacyMatch>& matches, const SimLegacyRequest& request) {
    return std::any_of(matches.begin(), matches.end(),
                       [&request](const SimLegacyMatch& m) { return Matches(m, request); });
}

void CSimLegacy::Finish(const SimLegacyRequest& request, const SimSendFn& send) {
    if (log_.size() < kLogLimit)
        log_.push_back(request);
    if (Hits(silenced_, request))
        return;
    if (Hits(refused_, request)) {
        SimSendReply(send, {kEsc, kTilde, kErrorLetter}, delayMs_, splitReplies_);
        return;
    }
    std::vector<uint8_t> reply = Answer(request);
    for (const Relettered& r : relettered_) {
        if (Matches(r.match, request) && reply[2] != kErrorLetter)
            reply[2] = r.letter;
    }
    const bool split = splitReplies_ || (splitIdentity_ && request.letter == 'C');
    SimSendReply(send, std::move(reply), delayMs_, split);
}

std::vector<uint8_t> CSimLegacy::Answer(const SimLegacyRequest& request) {
    const uint8_t record = static_cast<uint8_t>(request.record);
    switch (request.letter) {
        case 'C':
            return IdentityReply();
        case 'R': {
            // The key record is written only; like an unknown record, reading it is refused.
            if (RecordSize(record) == 0 || record == kPskRecord)
                return {kEsc, kTilde, kErrorLetter};
            std::vector<uint8_t> reply = {kEsc, kTilde, 'R'};
            const std::vector<uint8_t>& bytes = records_.at(record);
            reply.insert(reply.end(), bytes.begin(), bytes.end());
            return reply;
        }
        case 'W':
            if (RecordSize(record) == 0)
                return {kEsc, kTilde, kErrorLetter};
            records_[record] = request.payload;
            if (record == kPskRecord)
                pskWritten_ = true;
            return {kEsc, kTilde, 'W'};
        default:  // S, F, G
            if (request.letter == 'F')
                ++savesEnded_;
            return {kEsc, kTilde, request.letter};
    }
}

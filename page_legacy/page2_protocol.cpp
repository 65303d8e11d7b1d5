// The legacy protocol's frames, record table, chains and reply classification.
#include "page_legacy/page2_protocol.h"

#include <cstdio>

#include "page_legacy/page2_text.h"

namespace page2 {
namespace {

struct RecordEntry {
    uint8_t record;
    uint8_t size;
    bool read;         // part of the read chain
    const char* name;  // the label of the control it mainly fills
};

// In the order both chains run.
constexpr RecordEntry kRecords[] = {
    {kRecordIp, 4, true, "IP"},
    {kRecordNetMask, 4, true, "NetMask"},
    {kRecordGateway, 4, true, "Gateway"},
    {kRecordDns, 4, true, "DNS"},
    {kRecordAddressOptions, 2, true, "DHCP"},
    {kRecordWireless, 7, true, "WLAN Mode"},
    {kRecordSsid, 32, true, "SSID"},
    {kRecordWep64, 20, true, "WEP-64bits keys"},
    {kRecordWep128, 52, true, "WEP-128bits keys"},
    {kRecordPassphrase, 32, true, "WPA Key"},
    {kRecordPsk, 32, false, "pre-shared key"},
    {kRecordTcpIp, 12, true, "TCP/IP"},
    {kRecordPeerDomainName, 64, true, "Peer Domain Name"},
    {kRecordUserClassId, 64, true, "User Class ID"},
};

bool InChain(Chain chain, const RecordEntry& entry) {
    return chain == Chain::kWrite || entry.read;
}

// Byte i of the notification; bytes beyond it read as zero.
uint8_t At(const uint8_t* data, size_t count, size_t i) {
    return i < count ? data[i] : 0;
}

const RecordEntry* FindRecord(uint8_t record) {
    for (const RecordEntry& entry : kRecords) {
        if (entry.record == record)
            return &entry;
    }
    return nullptr;
}

}  // namespace

size_t RecordSize(uint8_t record) {
    const RecordEntry* entry = FindRecord(record);
    return entry ? entry->size : 0;
}

int NextRecord(Chain chain, uint8_t record) {
    const size_t n = sizeof kRecords / sizeof kRecords[0];
    for (size_t i = 0; i < n; ++i) {
        if (kRecords[i].record != record || !InChain(chain, kRecords[i]))
            continue;
        for (size_t j = i + 1; j < n; ++j) {
            if (InChain(chain, kRecords[j]))
                return kRecords[j].record;
        }
        return kChainEnd;
    }
    return kNotInChain;
}

unsigned ChainLength(Chain chain) {
    unsigned length = 0;
    for (const RecordEntry& entry : kRecords)
        length += InChain(chain, entry);
    return length;
}

Bytes Request(char letter) {
    return {kEsc, kTilde, static_cast<uint8_t>(letter)};
}

Bytes Request(char letter, uint8_t record) {
    return {kEsc, kTilde, static_cast<uint8_t>(letter), record};
}

WriteFrames WriteRequest(uint8_t record, const Bytes& payload) {
    WriteFrames frames{Request(kWrite, record), payload};
    frames.payload.resize(RecordSize(record), 0);
    return frames;
}

std::string RequestName(const Bytes& head) {
    constexpr const char* kUnknown = "request";
    if (head.size() < 3 || head[0] != kEsc || head[1] != kTilde)
        return kUnknown;
    switch (head[2]) {
        case kSetup:
            return "start";
        case kIdentity:
            return "identity";
        case kFinish:
            return "finish";
        case kRelease:
            return "release";
        case kRead:
        case kWrite: {
            const RecordEntry* entry = head.size() > 3 ? FindRecord(head[3]) : nullptr;
            return entry ? entry->name : kUnknown;
        }
        default:
            return kUnknown;
    }
}

reply::Cut CutReply(const Bytes* request, const uint8_t* held, size_t count) {
    if (const auto head = reply::HeadCut(held, count))
        return *head;
    const uint8_t letter = held[2];
    if (letter == kUpdateLetter)
        return reply::Notice(3);
    // Nothing fixes this notice's length: a 00 ends it, else the line's quiet.
    if (letter == kFfLetter) {
        const size_t length = reply::ThroughFirstZero(held, count, 3);
        return length == 0 ? reply::NoticeIfQuiet(count) : reply::Notice(length);
    }
    if (request == nullptr || request->size() < 3)
        return reply::Stray();
    // The error reply answers whichever request is outstanding.
    if (letter != kErrorLetter && letter != (*request)[2])
        return reply::Stray();
    size_t length = 3;
    if (letter == kIdentity)
        length = kIdentityReplySize;
    if (letter == kRead && request->size() > 3)
        length += RecordSize((*request)[3]);
    return count < length ? reply::Partial() : reply::Answer(length);
}

ReplyAction ActionOf(uint8_t letter) {
    switch (letter) {
        case kErrorLetter:
            return ReplyAction::kError;
        case kSetup:
            return ReplyAction::kSetup;
        case kIdentity:
            return ReplyAction::kIdentity;
        case kRead:
            return ReplyAction::kRead;
        case kWrite:
            return ReplyAction::kWrite;
        case kFinish:
            return ReplyAction::kFinish;
        case kRelease:
            return ReplyAction::kRelease;
        case kUpdateLetter:
            return ReplyAction::kUpdateSuccess;
        case kFfLetter:
            return ReplyAction::kShowFf;
    }
    return ReplyAction::kNone;
}

Bytes RecordFromReply(const uint8_t* data, size_t count, uint8_t record) {
    Bytes bytes(RecordSize(record), 0);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = At(data, count, 3 + i);
    return bytes;
}

bool DecodeIdentity(const uint8_t* data, size_t count, Identity* identity) {
    if (count != kIdentityReplySize || data[0] != kEsc || data[1] != kTilde || data[2] != kIdentity)
        return false;
    // The revision letter counts from 'a' and wraps as a character does.
    const uint8_t revision = static_cast<uint8_t>('a' + data[6]);
    identity->version =
        "Ver" + std::to_string(data[4]) + "." + std::to_string(data[5]) + BytesToText(&revision, 1);
    char mac[18];
    std::snprintf(mac, sizeof mac, "%02X:%02X:%02X:%02X:%02X:%02X", data[11], data[12], data[13],
                  data[14], data[15], data[16]);
    identity->mac = mac;
    return true;
}

std::string ErrorText(char pendingLetter) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<uint8_t>(pendingLetter));
    return std::string("Error : ") + hex + "[" + pendingLetter + "]";
}

std::string TimeoutText(char pendingLetter) {
    return std::string("Error : ") + pendingLetter + " [Timeout]";
}

}  // namespace page2

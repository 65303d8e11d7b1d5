// Frames, record numbers, reply classification and report texts of the legacy printers' escape
// protocol. Pure functions: no window, no link.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "page_shared/escape_frame.h"
#include "page_shared/reply_cut.h"

namespace page2 {

using Bytes = std::vector<uint8_t>;

using escape::kEsc;
using escape::kTilde;

// Request letters; a reply echoes its request's letter, or carries kErrorLetter.
constexpr char kSetup = 'S';
constexpr char kIdentity = 'C';
constexpr char kRead = 'R';
constexpr char kWrite = 'W';
constexpr char kFinish = 'F';
constexpr char kRelease = 'G';
constexpr char kErrorLetter = '9';
constexpr char kUpdateLetter = 'Y';
constexpr uint8_t kFfLetter = 0xFF;

constexpr unsigned kReplyTimer = 1;
constexpr unsigned kReplyTimeoutMs = 3000;
constexpr size_t kIdentityReplySize = 19;

constexpr const char* kReadSuccess = "Read Success";
constexpr const char* kWriteSuccess = "Write Success";
constexpr const char* kSuccess = "Success";
constexpr const char* kUpdateSuccess = "Update Success";
constexpr const char* kFfText = "0xff";

// The setting records, by number.
enum Record : uint8_t {
    kRecordIp = 0x00,
    kRecordNetMask = 0x01,
    kRecordGateway = 0x02,
    kRecordDns = 0x03,
    kRecordAddressOptions = 0x10,
    kRecordWireless = 0x20,
    kRecordSsid = 0x21,
    kRecordWep64 = 0x22,
    kRecordWep128 = 0x23,
    kRecordPassphrase = 0x24,
    kRecordPsk = 0x25,  // written only
    kRecordTcpIp = 0x30,
    kRecordPeerDomainName = 0x40,
    kRecordUserClassId = 0x50,
};

// Payload size of a record; 0 for a number that is no record.
size_t RecordSize(uint8_t record);

// Both chains begin with kRecordIp. A read runs R over every record but 0x25; a save writes
// every record, then F.
enum class Chain { kRead, kWrite };
constexpr int kChainEnd = -1;
constexpr int kNotInChain = -2;
// The record after this one in the chain, kChainEnd after its last, kNotInChain for a record
// the chain does not hold.
int NextRecord(Chain chain, uint8_t record);
// How many records the chain runs over.
unsigned ChainLength(Chain chain);

// S, C, F, G: ESC '~' letter.
Bytes Request(char letter);
// R n, and the header of W n: ESC '~' letter n.
Bytes Request(char letter, uint8_t record);
// W n goes out as two writes: the header, then the payload cut or zero-filled to the record's
// size.
struct WriteFrames {
    Bytes header;
    Bytes payload;
};
WriteFrames WriteRequest(uint8_t record, const Bytes& payload);

// What a request (a W's header) reads or writes, as the page labels it: "SSID", "identity".
// Only the letter and record count, never what follows them.
std::string RequestName(const Bytes& head);

// Where the reply in the held bytes ends, and whether it answers request (null when none is
// outstanding): S, W, F, G and the error reply are three bytes, the identity reply 19, an R
// reply the record's size more; 'Y' and 0xFF (up to its first 00, or until the line goes quiet)
// are notices.
reply::Cut CutReply(const Bytes* request, const uint8_t* held, size_t count);

// What the page does with a whole reply, by its letter.
enum class ReplyAction {
    kError,          // the printer refused the request
    kSetup,          // S
    kIdentity,       // C
    kRead,           // R
    kWrite,          // W
    kFinish,         // F
    kRelease,        // G
    kUpdateSuccess,  // 'Y': show kUpdateSuccess
    kShowFf,         // 0xFF: show kFfText when its last byte is 0
    kNone,           // a letter no reply carries
};
ReplyAction ActionOf(uint8_t letter);

// The record's bytes of an R reply: reply bytes 3 on, zero-filled beyond the reply.
Bytes RecordFromReply(const uint8_t* data, size_t count, uint8_t record);

// The identity reply's texts: "Ver1.2a" and "00:11:22:33:44:55".
struct Identity {
    std::string version;
    std::string mac;
};
// False unless data is an identity reply of exactly kIdentityReplySize bytes.
bool DecodeIdentity(const uint8_t* data, size_t count, Identity* identity);

// "Error : 0x57[W]" for an error reply, "Error : S [Timeout]" for a silent printer.
std::string ErrorText(char pendingLetter);
std::string TimeoutText(char pendingLetter);

}  // namespace page2

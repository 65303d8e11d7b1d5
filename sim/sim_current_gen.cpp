// The current-generation protocol: frame parsing, the settings store, replies and faults.
#include "sim/sim_current_gen.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "page_shared/escape_frame.h"

namespace {

using escape::kEsc;
using escape::kTilde;

bool IsOneOf(uint8_t byte, const char* set) {
    return byte != 0 && std::strchr(set, byte) != nullptr;
}

bool IsDigits(const std::string& s, size_t minLength, size_t maxLength) {
    if (s.size() < minLength || s.size() > maxLength)
        return false;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// Dotted decimal with four numbers of 0 to 255.
bool IsAddress(const std::string& s) {
    size_t at = 0;
    for (int part = 0; part < 4; ++part) {
        const size_t dot = part < 3 ? s.find('.', at) : s.size();
        if (dot == std::string::npos)
            return false;
        const std::string number = s.substr(at, dot - at);
        if (!IsDigits(number, 1, 3) || std::stoi(number) > 255)
            return false;
        at = dot + 1;
    }
    return true;
}

bool IsRegion(const std::string& s) {
    static const char* const kRegions[] = {
        "AT", "AU", "BE", "BR", "CA", "CH", "CN", "CY", "CZ", "DE", "DK", "EE",
        "ES", "FI", "FR", "GB", "GR", "HK", "HU", "ID", "IE", "IL", "IN", "IS",
        "IT", "JP", "KR", "LT", "LU", "LV", "RU", "MY", "NL", "NO", "NZ", "PH",
        "PL", "PT", "SE", "SG", "SI", "SK", "TH", "TW", "US", "ZA",
    };
    for (const char* region : kRegions) {
        if (s == region)
            return true;
    }
    return false;
}

// Splits space-separated fields. A field that begins with a double quote runs to the closing
// quote; inside it a slash makes the next quote or slash literal.
bool SplitFields(const std::string& s, std::vector<std::string>* fields) {
    size_t i = 0;
    for (;;) {
        std::string field;
        if (i < s.size() && s[i] == '"') {
            ++i;
            bool closed = false;
            while (i < s.size() && !closed) {
                const char c = s[i++];
                if (c == '/') {
                    if (i >= s.size() || (s[i] != '"' && s[i] != '/'))
                        return false;
                    field += s[i++];
                } else if (c == '"') {
                    closed = true;
                } else {
                    field += c;
                }
            }
            if (!closed || (i < s.size() && s[i] != ' '))
                return false;
        } else {
            const size_t end = std::min(s.find(' ', i), s.size());
            field = s.substr(i, end - i);
            i = end;
        }
        fields->push_back(std::move(field));
        if (i >= s.size())
            return true;
        ++i;  // the separating space
    }
}

// A whole payload as one text: unquoted when it begins with a double quote, else as it is.
bool WholeText(const std::string& s, std::string* text) {
    if (s.empty() || s[0] != '"') {
        *text = s;
        return true;
    }
    std::vector<std::string> fields;
    if (!SplitFields(s, &fields) || fields.size() != 1)
        return false;
    *text = fields[0];
    return true;
}

bool IsSsid(const std::string& s) {
    return !s.empty() && s.size() <= 32;
}
bool IsWpaKey(const std::string& s) {
    return s.size() >= 8 && s.size() <= 63;
}

bool IsCipherPair(const std::string& c1, const std::string& c2) {
    return (c1 == "0" || c1 == "1") && c1 == c2;
}

struct Item {
    uint8_t readItem;  // 0xFF: not readable by R
    const char* name;
    std::string SimCurrentGenSettings::*member;
};

const Item kItems[] = {
    {0x20, "version", &SimCurrentGenSettings::version},
    {0x21, "mac", &SimCurrentGenSettings::mac},
    {0x02, "mode", &SimCurrentGenSettings::mode},
    {0x00, "ssid", &SimCurrentGenSettings::ssid},
    {0x6A, "port", &SimCurrentGenSettings::port},
    {0x01, "channel", &SimCurrentGenSettings::channel},
    {0x03, "security", &SimCurrentGenSettings::security},
    {0x04, "cipher", &SimCurrentGenSettings::cipher},
    {0x08, "wepindex", &SimCurrentGenSettings::wepIndex},
    {0x06, "wepkey", &SimCurrentGenSettings::wepKey},
    {0x07, "wpakey", &SimCurrentGenSettings::wpaKey},
    {0xFF, "band", &SimCurrentGenSettings::band},
    {0xFF, "region", &SimCurrentGenSettings::region},
    {0xFF, "apip", &SimCurrentGenSettings::apIp},
    {0xFF, "apmask", &SimCurrentGenSettings::apMask},
    {0xFF, "apgateway", &SimCurrentGenSettings::apGateway},
    {0xFF, "dhcp", &SimCurrentGenSettings::dhcp},
    {0xFF, "ip", &SimCurrentGenSettings::ip},
    {0xFF, "mask", &SimCurrentGenSettings::mask},
    {0xFF, "gateway", &SimCurrentGenSettings::gateway},
    {0xFF, "dns", &SimCurrentGenSettings::dns},
};

void AppendText(std::vector<uint8_t>* bytes, const std::string& text) {
    bytes->insert(bytes->end(), text.begin(), text.end());
}

// An address query's fields, spaced. A printer that holds no value for the last fields leaves
// them out (a DHCP printer may answer with its flag alone).
std::string AddressText(std::vector<std::string> fields) {
    while (fields.size() > 1 && fields.back().empty())
        fields.pop_back();
    std::string text = fields.front();
    for (size_t i = 1; i < fields.size(); ++i)
        text += " " + fields[i];
    return text;
}

}  // namespace

bool CSimCurrentGen::SetItem(const std::string& name, const std::string& value) {
    for (const Item& item : kItems) {
        if (name == item.name) {
            settings_.*item.member = value;
            return true;
        }
    }
    return false;
}

// Only a binary key of F can carry ESC on purpose; elsewhere an ESC may start the next request.
bool CSimCurrentGen::InFrame() const {
    return state_ == State::kPayload && letter_ == 'F' && !payload_.empty();
}

void CSimCurrentGen::OnByte(uint8_t byte, const SimSendFn& send) {
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
            if (byte == kEsc) {
                state_ = State::kEsc;
                return;
            }
            letter_ = byte;
            payload_.clear();
            escHeld_ = false;
            if (IsOneOf(byte, "ROQCHB"))
                state_ = State::kFourth;
            else if (IsOneOf(byte, "WIMFGED"))
                state_ = State::kPayload;
            else
                state_ = State::kIdle;  // a letter of no known length: wait for the next ESC '~'
            return;
        case State::kFourth:
            if (letter_ == 'R' || letter_ == 'O' || byte == '?') {
                state_ = State::kIdle;
                Finish({letter_, {byte}}, send);
                return;
            }
            state_ = State::kPayload;  // a write of Q, C, H or B: this byte begins its payload
            break;
        case State::kPayload:
            break;
    }

    if (escHeld_) {
        escHeld_ = false;
        if (byte == kTilde) {
            state_ = State::kTilde;  // the frame broke off and a new one began
            return;
        }
        Append(kEsc);
        if (state_ != State::kPayload)
            return OnByte(byte, send);
    }
    if (byte == 0) {
        state_ = State::kIdle;
        Finish({letter_, payload_}, send);
        return;
    }
    if (byte == kEsc && payload_.empty()) {
        // A header with no payload: for F that is the request without a key, logged but not
        // answered, since the printer has no end of it to wait for.
        if (letter_ == 'F')
            Log({letter_, {}});
        state_ = State::kEsc;
        return;
    }
    if (byte == kEsc && letter_ != 'F') {
        escHeld_ = true;
        return;
    }
    Append(byte);
}

void CSimCurrentGen::Append(uint8_t byte) {
    if (payload_.size() >= kMaxPayload) {
        state_ = State::kIdle;
        payload_.clear();
        return;
    }
    payload_.push_back(byte);
}

void CSimCurrentGen::Log(const SimRequest& request) {
    if (log_.size() < kLogLimit)
        log_.push_back(request);
}

void CSimCurrentGen::Finish(const SimRequest& request, const SimSendFn& send) {
    Log(request);
    if (silent_.count(request.letter) != 0 ||
        (request.letter == 'R' && silentReads_.count(request.payload[0]) != 0))
        return;
    SimSendReply(send, Answer(request), delayMs_, split_);
}

std::vector<uint8_t> CSimCurrentGen::Answer(const SimRequest& request) {
    const uint8_t letter = request.letter;
    std::vector<uint8_t> reply = {kEsc, kTilde, letter};

    if (letter == 'R') {
        const uint8_t item = request.payload[0];
        const std::string* value = nullptr;
        for (const Item& entry : kItems) {
            if (entry.readItem == item && item != 0xFF)
                value = &(settings_.*entry.member);
        }
        const bool ok =
            value != nullptr && refused_.count('R') == 0 && refusedReads_.count(item) == 0;
        reply.push_back(item);
        reply.push_back(ok ? kAccepted : kRefused);
        if (ok)
            AppendText(&reply, *value);
        reply.insert(reply.end(), readEnd_.begin(), readEnd_.end());
        return reply;
    }

    if (request.payload.size() == 1 && request.payload[0] == '?' && IsOneOf(letter, "QCHB")) {
        const SimCurrentGenSettings& s = settings_;
        reply.push_back('?');
        if (letter == 'Q')
            AppendText(&reply, s.band);
        else if (letter == 'C')
            AppendText(&reply, s.region);
        else if (letter == 'H')
            AppendText(&reply, AddressText({s.apIp, s.apMask, s.apGateway}));
        else
            AppendText(&reply, AddressText({s.dhcp, s.ip, s.mask, s.gateway, s.dns}));
        reply.insert(reply.end(), queryEnd_.begin(), queryEnd_.end());
        return reply;
    }

    // A write or the factory reset: applied to a copy that is kept only when all of it is valid.
    const std::string payload(request.payload.begin(), request.payload.end());
    SimCurrentGenSettings next = settings_;
    uint8_t status = kRefused;
    if (letter == 'D' && joinFails_)
        status = kJoinFailed;
    else if (refused_.count(letter) == 0 && Apply(letter, payload, &next))
        status = kAccepted;
    if (status == kAccepted) {
        settings_ = std::move(next);
        if (IsOneOf(letter, "EMDO"))
            ++savesEnded_;
    }
    if (letter == 'W')  // W echoes its item and carries the status one byte later
        reply.push_back(payload.empty() ? 'j' : static_cast<uint8_t>(payload[0]));
    reply.push_back(status);
    return reply;
}

bool CSimCurrentGen::Apply(uint8_t letter, const std::string& payload,
                           SimCurrentGenSettings* s) const {
    std::vector<std::string> f;
    switch (letter) {
        case 'O':
            if (payload != "0")
                return false;
            // Identity survives a factory reset; the settings do not.
            *s = SimCurrentGenSettings{};
            s->version = settings_.version;
            s->mac = settings_.mac;
            return true;
        case 'Q':
            if (payload != "2" && payload != "6" && payload != "7")
                return false;
            s->band = payload;
            return true;
        case 'W':
            if (payload.empty() || payload[0] != 'j' || !IsDigits(payload.substr(1), 1, 5) ||
                std::stol(payload.substr(1)) < 1 || std::stol(payload.substr(1)) > 65535)
                return false;
            s->port = payload.substr(1);
            return true;
        case 'C':
            if (!IsRegion(payload))
                return false;
            s->region = payload;
            return true;
        case 'B':
            if (payload == "1") {
                s->dhcp = "1";
                return true;
            }
            if (payload.empty() || payload[0] != '0' || !SplitFields(payload.substr(1), &f) ||
                f.size() != 4)
                return false;
            for (const std::string& address : f) {
                if (!IsAddress(address))
                    return false;
            }
            s->dhcp = "0";
            s->ip = f[0];
            s->mask = f[1];
            s->gateway = f[2];
            s->dns = f[3];
            return true;
        case 'H':
            if (!SplitFields(payload, &f) || f.size() != 3 || !IsAddress(f[0]) ||
                !IsAddress(f[1]) || !IsAddress(f[2]))
                return false;
            s->apIp = f[0];
            s->apMask = f[1];
            s->apGateway = f[2];
            return true;
        case 'I':
            if (!SplitFields(payload, &f) || f.size() != 3 || f[0].size() != 1 ||
                !IsOneOf(f[0][0], "0123") || !IsCipherPair(f[1], f[2]))
                return false;
            s->security = f[0];
            s->cipher = f[1];
            return true;
        case 'F':
            if (payload.size() < 2 || !IsOneOf(payload[0], "1234") || payload[1] != ' ')
                return false;
            s->wepIndex = payload.substr(0, 1);
            // An ASCII key may come quoted; a hexadecimal key comes as raw bytes, kept as they are.
            if (!WholeText(payload.substr(2), &s->wepKey))
                s->wepKey = payload.substr(2);
            return true;
        case 'G':
            if (!WholeText(payload, &s->wpaKey) || !IsWpaKey(s->wpaKey))
                return false;
            return true;
        case 'M':
            if (!WholeText(payload, &s->ssid) || !IsSsid(s->ssid))
                return false;
            s->mode = "0";
            s->automaticJoinKey.reset();
            return true;
        case 'E':
            if (!SplitFields(payload, &f) || (f.size() != 2 && f.size() != 6) || !IsSsid(f[0]) ||
                !IsDigits(f[1], 1, 3))
                return false;
            if (f.size() == 6) {
                if (f[2].size() != 1 || !IsOneOf(f[2][0], "23") || !IsCipherPair(f[3], f[4]) ||
                    !IsWpaKey(f[5]))
                    return false;
                s->security = f[2];
                s->cipher = f[3];
                s->wpaKey = f[5];
            } else {
                s->security = "0";
            }
            s->ssid = f[0];
            s->channel = f[1];
            s->mode = "2";
            s->automaticJoinKey.reset();
            return true;
        case 'D':
            if (!SplitFields(payload, &f) || (f.size() != 1 && f.size() != 2) || !IsSsid(f[0]) ||
                (f.size() == 2 && f[1].empty()))
                return false;
            s->ssid = f[0];
            if (f.size() == 2)
                s->wpaKey = f[1];
            s->automaticJoinKey = f.size() == 2 ? f[1] : std::string();
            s->mode = "0";
            return true;
        default:
            return false;
    }
}

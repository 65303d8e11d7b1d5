// The Wi-Fi module protocol: frame parsing, the settings store, replies and faults.
#include "sim/sim_module.h"

#include <cstring>
#include <utility>

#include "page_shared/escape_frame.h"

namespace {

using escape::kEsc;
using escape::kTilde;

// How a W value is framed, checked and stored.
enum class Kind {
    kReadOnly,   // never written
    kDigit,      // one of `allowed`, then 0x00
    kText,       // text of at most `maxText` characters, then 0x00
    kKey,        // escaped text or raw bytes, then 0x00
    kAddress,    // four octets, then 0x00; stored dotted
    kApAddress,  // C0 A8 x 01 00; stored as 192.168.x.1
    kRegion,     // a region of the list the version chooses, then 0x00
};

struct Item {
    uint8_t number;
    const char* key;   // in the read reply; null when the item is not read
    const char* name;  // for SetItem
    std::string SimModuleSettings::*member;
    Kind kind;
    const char* allowed = nullptr;
    size_t maxText = 0;
};

using S = SimModuleSettings;
const Item kItems[] = {
    {0, "mac", "mac", &S::mac, Kind::kReadOnly},
    {1, "ssid", "ap_ssid", &S::apSsid, Kind::kText, nullptr, 32},
    {2, "security", "ap_security", &S::apSecurity, Kind::kDigit, "045"},
    {3, "passphrase", "ap_passphrase", &S::apPassphrase, Kind::kKey},
    {4, "mdns_enabled", "mdns_enabled", &S::mdnsEnabled, Kind::kDigit, "01"},
    {5, "mdns_hostname", "mdns_hostname", &S::mdnsHostName, Kind::kText, nullptr, 32},
    {6, nullptr, "ap_address", &S::apAddress, Kind::kApAddress},
    {16, "configured", "configured", &S::configured, Kind::kDigit, "01"},
    {17, "ssid", "ssid", &S::ssid, Kind::kText, nullptr, 32},
    {18, "security", "security", &S::security, Kind::kDigit, "01345"},
    {19, "passphrase", "passphrase", &S::passphrase, Kind::kKey},
    {20, "ipaddr_type", "ipaddr_type", &S::ipAddrType, Kind::kDigit, "01"},
    {21, "ipaddr", "ipaddr", &S::ipAddr, Kind::kAddress},
    {22, "netmask", "netmask", &S::netMask, Kind::kAddress},
    {23, "gateway", "gateway", &S::gateway, Kind::kAddress},
    {24, "dns1", "dns1", &S::dns1, Kind::kAddress},
    {32, "port", "port", &S::port, Kind::kText, nullptr, 5},
    {33, "region", "region", &S::region, Kind::kRegion},
};
constexpr uint8_t kApSecurityItem = 2;
constexpr uint8_t kPortItem = 32;

const char* const kCountryCodes[] = {"US", "CA", "SG", "EU", "AU", "KR", "CN", "FR", "JP"};
constexpr size_t kVersionOffset = 13;
constexpr size_t kVersionMax = 10;

const Item* FindItem(uint8_t number) {
    for (const Item& item : kItems) {
        if (item.number == number)
            return &item;
    }
    return nullptr;
}

// The numeric region list belongs to modules whose version begins with 'E'.
bool NumericRegions(const SimModuleSettings& s) {
    return !s.version.empty() && s.version[0] == 'E';
}

bool IsRegion(const SimModuleSettings& s, const std::string& region) {
    if (NumericRegions(s))
        return region.size() == 1 && region[0] >= '0' && region[0] <= '8';
    for (const char* code : kCountryCodes) {
        if (region == code)
            return true;
    }
    return false;
}

std::string Unescape(const std::vector<uint8_t>& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\\' && i + 1 < bytes.size())
            ++i;
        text += static_cast<char>(bytes[i]);
    }
    return text;
}

bool ParseMac(const std::string& text, std::string* mac) {
    std::string digits;
    for (char c : text) {
        if (c != ':' && c != '-')
            digits += c;
    }
    if (digits.empty() || digits.size() % 2 != 0 ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    mac->clear();
    for (size_t i = 0; i < digits.size(); i += 2)
        *mac += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
    return true;
}

}  // namespace

bool CSimModule::SetItem(const std::string& name, const std::string& value) {
    if (name == "version") {
        settings_.version = value;
        return true;
    }
    if (name == "mac")
        return ParseMac(value, &settings_.mac);
    for (const Item& item : kItems) {
        if (name == item.name) {
            settings_.*item.member = value;
            return true;
        }
    }
    return false;
}

bool CSimModule::InFrame() const {
    // Item numbers and values are binary: an ESC among them starts nothing.
    return state_ == State::kItem || state_ == State::kValue;
}

void CSimModule::OnByte(uint8_t byte, const SimSendFn& send) {
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
            letter_ = byte;
            if (byte == 'V' || byte == 'I') {
                state_ = State::kIdle;
                Finish({byte, kAnyItem, {}}, send);
            } else if (byte == 'R' || byte == 'W') {
                state_ = State::kItem;
            } else {
                state_ = byte == kEsc ? State::kEsc : State::kIdle;
            }
            return;
        case State::kItem:
            if (letter_ == 'R') {
                state_ = State::kIdle;
                Finish({letter_, byte, {}}, send);
                return;
            }
            item_ = byte;
            value_.clear();
            state_ = State::kValue;
            return;
        case State::kValue:
            value_.push_back(byte);
            if (value_.size() > kMaxValue) {
                state_ = State::kIdle;
            } else if (ValueComplete()) {
                state_ = State::kIdle;
                Finish({letter_, item_, value_}, send);
            }
            return;
        case State::kKeyTail:
            // A raw key may hold 0x00 bytes: everything up to the next request belongs to it.
            if (escHeld_) {
                escHeld_ = false;
                if (byte == kTilde) {
                    state_ = State::kTilde;
                    return;
                }
                value_.push_back(kEsc);
            }
            if (byte == kEsc) {
                escHeld_ = true;
                return;
            }
            value_.push_back(byte);
            if (value_.size() > kMaxValue) {
                state_ = State::kIdle;
                return;
            }
            StoreKey();
            return;
    }
}

bool CSimModule::ValueComplete() const {
    const Item* item = FindItem(item_);
    const Kind kind = item ? item->kind : Kind::kText;
    if (kind == Kind::kDigit)
        return value_.size() == 2;
    if (kind == Kind::kAddress || kind == Kind::kApAddress)
        return value_.size() == 5;
    return value_.back() == 0;
}

void CSimModule::StoreKey() {
    std::vector<uint8_t> key = value_;
    if (!key.empty() && key.back() == 0)
        key.pop_back();
    settings_.*FindItem(item_)->member = Unescape(key);
    if (tailLogged_)
        log_.back().value = value_;
}

bool CSimModule::Silenced(const SimModuleRequest& request) const {
    return silent_.count({request.letter, kAnyItem}) != 0 ||
           silent_.count({request.letter, request.item}) != 0;
}

void CSimModule::Finish(const SimModuleRequest& request, const SimSendFn& send) {
    tailLogged_ = log_.size() < kLogLimit;
    if (tailLogged_)
        log_.push_back(request);
    if (Silenced(request))
        return;
    SimSendReply(send, Answer(request), delayMs_, split_);
}

std::vector<uint8_t> CSimModule::Answer(const SimModuleRequest& request) {
    std::vector<uint8_t> reply = {kEsc, kTilde, request.letter};
    switch (request.letter) {
        case 'V': {
            const bool bad = badVersions_ > 0;
            if (bad)
                --badVersions_;
            reply.push_back(bad ? kBad : kGood);
            reply.resize(kVersionOffset, 0);  // the eight bytes after the status are not looked at
            const std::string version = settings_.version.substr(0, kVersionMax);
            reply.insert(reply.end(), version.begin(), version.end());
            reply.resize(kVersionOffset + kVersionMax, 0);
            return reply;
        }
        case 'I':
            reply.insert(reply.end(), {kGood, 0x00});
            return reply;
        case 'R':
            return ReadReply(static_cast<uint8_t>(request.item));
    }
    const uint8_t item = static_cast<uint8_t>(request.item);
    const bool ok = refusedWrites_.count(item) == 0 && Apply(item, request.value);
    if (ok && item == kPortItem)
        ++savesEnded_;
    const auto as = ackAs_.find(item);
    reply.push_back(as == ackAs_.end() ? item : as->second);
    reply.insert(reply.end(), {ok ? kGood : kBad, 0x00, 0x00});
    return reply;
}

std::vector<uint8_t> CSimModule::ReadReply(uint8_t number) const {
    std::vector<uint8_t> reply = {kEsc, kTilde, 'R'};
    const Item* item = FindItem(number);
    if (item == nullptr || item->key == nullptr || refusedReads_.count(number) != 0) {
        reply.insert(reply.end(), {kBad, 0x00});
    } else {
        std::string text = std::string(item->key) + "=";
        if (item->kind == Kind::kRegion && !NumericRegions(settings_))
            text += kCountryPrefix;
        text += settings_.*item->member;
        reply.insert(reply.end(), {kGood, 0x00});
        reply.insert(reply.end(), text.begin(), text.end());
    }
    reply.insert(reply.end(), readTrailer_.begin(), readTrailer_.end());
    return reply;
}

bool CSimModule::Apply(uint8_t number, const std::vector<uint8_t>& value) {
    const Item* item = FindItem(number);
    if (item == nullptr)
        return false;
    std::string& stored = settings_.*item->member;
    // Every framing rule leaves the value ending in 0x00 except a fixed-size one that lacks it.
    if (value.back() != 0)
        return false;
    const std::string text(value.begin(), value.end() - 1);
    switch (item->kind) {
        case Kind::kReadOnly:
            return false;
        case Kind::kDigit:
            // The access-point security may come empty: the module keeps what it had.
            if (number == kApSecurityItem && text[0] == 0)
                return true;
            if (text[0] == 0 || std::strchr(item->allowed, text[0]) == nullptr)
                return false;
            stored = text;
            return true;
        case Kind::kText:
            if (text.size() > item->maxText)
                return false;
            stored = text;
            return true;
        case Kind::kKey:
            stored = Unescape({value.begin(), value.end() - 1});
            state_ = State::kKeyTail;
            escHeld_ = false;
            return true;
        case Kind::kAddress:
            stored = std::to_string(value[0]) + "." + std::to_string(value[1]) + "." +
                     std::to_string(value[2]) + "." + std::to_string(value[3]);
            return true;
        case Kind::kApAddress:
            if (value[0] != 192 || value[1] != 168 || value[3] != 1)
                return false;
            stored = "192.168." + std::to_string(value[2]) + ".1";
            return true;
        case Kind::kRegion:
            if (!IsRegion(settings_, text))
                return false;
            stored = text;
            return true;
    }
    return false;
}

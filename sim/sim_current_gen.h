// The current-generation printers' (models '5' and '7') side of their ESC '~' protocol.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "sim/sim_protocol.h"

// What the printer keeps. Every item is held as the text it is read back as, so a preset can
// also hold values outside the usual sets.
struct SimCurrentGenSettings {
    std::string version = "V1.04";
    std::string mac = "00:1A:2B:3C:4D:5E";
    std::string mode = "2";  // WLAN mode: "0" Infrastructure, "2" Access Point
    std::string ssid = "Printer-AP";
    std::string port = "9100";
    std::string channel = "6";
    std::string security = "0";  // "0" None, "1" WEP, "2" WPA PSK, "3" WPA2 PSK
    std::string cipher = "0";    // "0" TKIP, "1" AES
    std::string wepIndex = "1";
    std::string wepKey = "null";  // may hold raw bytes
    std::string wpaKey = "null";
    std::string band = "7";  // "2" 2.4 GHz, "6" 5 GHz, "7" both
    std::string region = "KR";
    // An address held as "" is none: the address replies leave out such fields at their end.
    std::string apIp = "192.168.10.1";
    std::string apMask = "255.255.255.0";
    std::string apGateway = "192.168.10.1";
    std::string dhcp = "1";
    std::string ip = "192.168.1.100";
    std::string mask = "255.255.255.0";
    std::string gateway = "192.168.1.1";
    std::string dns = "192.168.1.1";
    // Not an item: a save that ends with D leaves the security to the printer, which joins with
    // D's key ("" for none); any other save ending clears it.
    std::optional<std::string> automaticJoinKey;
};

// One request as parsed: its letter and the bytes between the letter and the closing 00 (for
// the fixed requests, their fourth byte).
struct SimRequest {
    uint8_t letter;
    std::vector<uint8_t> payload;
    bool operator==(const SimRequest& o) const {
        return letter == o.letter && payload == o.payload;
    }
};

class CSimCurrentGen : public CSimProtocol {
  public:
    static constexpr uint8_t kAccepted = '@';
    static constexpr uint8_t kRefused = 'E';
    static constexpr uint8_t kJoinFailed = 0xFF;  // D only: the printer could not join
    // A payload longer than this is dropped unanswered, so a lost 00 cannot swallow the stream.
    static constexpr size_t kMaxPayload = 512;
    static constexpr size_t kLogLimit = 10000;
    static constexpr unsigned kSplitGapMs = kSimSplitGapMs;
    static constexpr unsigned kDefaultDelayMs = 20;

    void OnByte(uint8_t byte, const SimSendFn& send) override;
    bool InFrame() const override;
    void SetReplyDelay(unsigned ms) override { delayMs_ = ms; }
    // Every reply in two parts (SimSendReply).
    void SetSplitReplies(bool on) override { split_ = on; }
    // A save ends with E, M or D, or with the factory reset.
    unsigned SavesEnded() const override { return savesEnded_; }

    SimCurrentGenSettings& Settings() { return settings_; }
    // The bytes after a query reply's text (Q?, C?, H?, B?): printers differ in them, so any
    // bytes (00 by default).
    void SetQueryEnd(std::vector<uint8_t> end) { queryEnd_ = std::move(end); }
    // The bytes after an R reply's value, or a refusal's status: any bytes, none included, where
    // the value then simply ends (00 by default).
    void SetReadEnd(std::vector<uint8_t> end) { readEnd_ = std::move(end); }
    // Presets one item by name (version, mac, mode, ssid, port, channel, security, cipher,
    // wepindex, wepkey, wpakey, band, region, apip, apmask, apgateway, dhcp, ip, mask, gateway,
    // dns). Returns false for an unknown name.
    bool SetItem(const std::string& name, const std::string& value);

    // Faults. A refused or silenced request changes nothing in the store.
    // Refuse: the write with that letter (O: the factory reset; R: every read) answers 'E'.
    void Refuse(uint8_t letter) { refused_.insert(letter); }
    void RefuseRead(uint8_t item) { refusedReads_.insert(item); }
    // Silence: every request with that letter, queries included, goes unanswered.
    void Silence(uint8_t letter) { silent_.insert(letter); }
    void SilenceRead(uint8_t item) { silentReads_.insert(item); }
    void SetJoinFails(bool on) { joinFails_ = on; }

    // Every request parsed, in order, up to kLogLimit entries.
    const std::vector<SimRequest>& Requests() const { return log_; }
    void ClearRequests() { log_.clear(); }

  private:
    enum class State { kIdle, kEsc, kTilde, kFourth, kPayload };

    void Append(uint8_t byte);
    void Log(const SimRequest& request);
    void Finish(const SimRequest& request, const SimSendFn& send);
    std::vector<uint8_t> Answer(const SimRequest& request);
    bool Apply(uint8_t letter, const std::string& payload, SimCurrentGenSettings* s) const;

    SimCurrentGenSettings settings_;
    std::vector<uint8_t> queryEnd_ = {0x00}, readEnd_ = {0x00};
    State state_ = State::kIdle;
    uint8_t letter_ = 0;
    std::vector<uint8_t> payload_;
    bool escHeld_ = false;  // an ESC inside a text payload, waiting to see if '~' follows
    unsigned delayMs_ = kDefaultDelayMs;
    std::set<uint8_t> refused_, refusedReads_, silent_, silentReads_;
    bool joinFails_ = false;
    bool split_ = false;
    unsigned savesEnded_ = 0;
    std::vector<SimRequest> log_;
};

// The Wi-Fi module printers' (model '4', and printers silent at identification) side of their
// ESC '~' protocol: V, I, R n and W n over a store of named settings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "sim/sim_protocol.h"

// What the module keeps, each item as the text its read reply carries. The keys and the MAC
// address are raw bytes.
struct SimModuleSettings {
    std::string version = "V2.10";  // one beginning with 'E' uses the numeric region list
    std::string mac = std::string("\x00\x1A\x2B\x3C\x4D\x5E", 6);
    std::string configured = "1";  // WLAN mode: "0" access point, "1" infrastructure
    // Access-point mode.
    std::string apSsid = "Module-AP";
    std::string apSecurity = "4";
    std::string apPassphrase = "apsecret1";
    std::string mdnsEnabled = "0";
    std::string mdnsHostName = "printer";
    std::string apAddress = "192.168.10.1";  // written by item 6, never read
    // Infrastructure mode.
    std::string ssid = "Office";
    std::string security = "4";
    std::string passphrase = "officekey1";
    std::string ipAddrType = "1";  // "1" DHCP, "0" static
    std::string ipAddr = "192.168.1.50";
    std::string netMask = "255.255.255.0";
    std::string gateway = "192.168.1.1";
    std::string dns1 = "192.168.1.1";
    // Both modes.
    std::string port = "9100";
    std::string region = "KR";  // two letters, or one digit with the numeric list
};

// One request as parsed: its letter, the item of R and W, and the value of W (with its 0x00).
struct SimModuleRequest {
    uint8_t letter;
    int item;  // -1 for V and I
    std::vector<uint8_t> value;
    bool operator==(const SimModuleRequest& o) const {
        return letter == o.letter && item == o.item && value == o.value;
    }
};

class CSimModule : public CSimProtocol {
  public:
    static constexpr uint8_t kGood = '0';
    static constexpr uint8_t kBad = '1';
    // The five characters before the letters of a country-list region reply.
    static constexpr char kCountryPrefix[] = "ctry:";
    static constexpr size_t kMaxValue = 512;  // a longer W value is dropped unanswered
    static constexpr size_t kLogLimit = 10000;
    static constexpr unsigned kDefaultDelayMs = 20;
    static constexpr int kAnyItem = -1;

    void OnByte(uint8_t byte, const SimSendFn& send) override;
    bool InFrame() const override;
    void SetReplyDelay(unsigned ms) override { delayMs_ = ms; }
    // Every reply in two parts (SimSendReply).
    void SetSplitReplies(bool on) override { split_ = on; }
    // A save ends with the write of its port.
    unsigned SavesEnded() const override { return savesEnded_; }

    SimModuleSettings& Settings() { return settings_; }
    // The bytes that end every R reply, after the text or a refusal's status. They belong to no
    // value and modules differ in them: any bytes, none included (00 00 by default).
    void SetReadTrailer(std::vector<uint8_t> trailer) { readTrailer_ = std::move(trailer); }
    // Presets one setting by name: version, mac (hex digits, ':' or '-' between pairs allowed),
    // configured, ap_ssid, ap_security, ap_passphrase, mdns_enabled, mdns_hostname, ap_address,
    // ssid, security, passphrase, ipaddr_type, ipaddr, netmask, gateway, dns1, port, region.
    // Returns false for an unknown name or a bad MAC address.
    bool SetItem(const std::string& name, const std::string& value);

    // Faults. A refused or silenced request changes nothing in the store.
    // The next `times` V replies carry a bad status.
    void SetBadVersionReplies(int times) { badVersions_ = times; }
    // R of the item answers with a bad status; W of the item is acknowledged with a bad status.
    void RefuseRead(uint8_t item) { refusedReads_.insert(item); }
    void RefuseWrite(uint8_t item) { refusedWrites_.insert(item); }
    // W of `written` is acknowledged as if it had been `acknowledged`.
    void AcknowledgeAs(uint8_t written, uint8_t acknowledged) { ackAs_[written] = acknowledged; }
    // Never answer the request: 'V', 'I', or 'R' / 'W' with an item or kAnyItem.
    void Silence(uint8_t letter, int item = kAnyItem) { silent_.insert({letter, item}); }

    // Every request parsed, in order, up to kLogLimit entries.
    const std::vector<SimModuleRequest>& Requests() const { return log_; }
    void ClearRequests() { log_.clear(); }

  private:
    enum class State { kIdle, kEsc, kTilde, kItem, kValue, kKeyTail };

    void Finish(const SimModuleRequest& request, const SimSendFn& send);
    bool Silenced(const SimModuleRequest& request) const;
    std::vector<uint8_t> Answer(const SimModuleRequest& request);
    std::vector<uint8_t> ReadReply(uint8_t item) const;
    bool Apply(uint8_t item, const std::vector<uint8_t>& value);
    bool ValueComplete() const;
    void StoreKey();

    SimModuleSettings settings_;
    std::vector<uint8_t> readTrailer_ = {0x00, 0x00};
    State state_ = State::kIdle;
    uint8_t letter_ = 0;
    uint8_t item_ = 0;
    std::vector<uint8_t> value_;
    bool escHeld_ = false;     // an ESC after a key, waiting to see if '~' follows
    bool tailLogged_ = false;  // the last request parsed is the last one in the log
    unsigned delayMs_ = kDefaultDelayMs;
    bool split_ = false;
    int badVersions_ = 0;
    unsigned savesEnded_ = 0;
    std::set<uint8_t> refusedReads_, refusedWrites_;
    std::map<uint8_t, uint8_t> ackAs_;
    std::set<std::pair<uint8_t, int>> silent_;
    std::vector<SimModuleRequest> log_;
};

// Byte layouts of the legacy setting records.
#include "page_legacy/page2_records.h"

#include <algorithm>

#include "page_legacy/page2_text.h"
#include "page_legacy/wpa_psk.h"

namespace page2 {
namespace {

uint8_t At(const Bytes& record, size_t i) {
    return i < record.size() ? record[i] : 0;
}

uint16_t Number(const Bytes& record, size_t i) {
    return static_cast<uint16_t>(At(record, i) | At(record, i + 1) << 8);
}

void PutNumber(Bytes* record, size_t i, uint16_t value) {
    (*record)[i] = static_cast<uint8_t>(value);
    (*record)[i + 1] = static_cast<uint8_t>(value >> 8);
}

void PutAddress(Bytes* record, size_t i, uint32_t address) {
    for (size_t k = 0; k < 4; ++k)
        (*record)[i + k] = static_cast<uint8_t>(address >> (24 - 8 * k));
}

uint32_t AddressAt(const Bytes& record, size_t i) {
    return static_cast<uint32_t>(At(record, i)) << 24 | At(record, i + 1) << 16 |
           At(record, i + 2) << 8 | At(record, i + 3);
}

// A key table record: its bytes, zero-filled or cut to the table's size.
template <size_t N>
void CopyTable(const Bytes& record, std::array<uint8_t, N>* table) {
    for (size_t i = 0; i < N; ++i)
        (*table)[i] = At(record, i);
}

Bytes Psk(const LegacySettings& s) {
    const Bytes passphrase = EncodeText(s.wpaKey, kPskTextSize);
    const Bytes ssid = EncodeText(s.ssid, kPskTextSize);
    Bytes psk(kPskSize);
    PreSharedKey(psk.data(), passphrase.data(), ssid.data());
    return psk;
}

}  // namespace

Bytes EncodeAddress(uint32_t address) {
    Bytes record(4);
    PutAddress(&record, 0, address);
    return record;
}

uint32_t DecodeAddress(const Bytes& record) {
    return AddressAt(record, 0);
}

Bytes EncodeAddressOptions(const AddressOptions& options) {
    return {options.dhcp, options.autoDns};
}

AddressOptions DecodeAddressOptions(const Bytes& record) {
    return {At(record, 0) != 0, At(record, 1) != 0};
}

Bytes EncodeWireless(const WirelessSettings& w) {
    return {w.mode,           w.channel, w.wepKeySize, w.wepKeyIndex,
            w.authentication, w.wpaType, w.wpaCipher};
}

WirelessSettings DecodeWireless(const Bytes& record) {
    WirelessSettings w;
    w.mode = At(record, 0);
    w.channel = At(record, 1);
    w.wepKeySize = At(record, 2);
    w.wepKeyIndex = At(record, 3);
    w.authentication = At(record, 4);
    w.wpaType = At(record, 5);
    w.wpaCipher = At(record, 6);
    return w;
}

Bytes EncodeTcpIp(const TcpIpSettings& t) {
    Bytes record(RecordSize(kRecordTcpIp), 0);
    PutAddress(&record, 0, t.peerIp);
    PutNumber(&record, 4, t.port);
    PutNumber(&record, 6, t.peerPort);
    record[8] = t.muxType;
    record[9] = t.codListen;
    PutNumber(&record, 10, t.waterMark);
    return record;
}

TcpIpSettings DecodeTcpIp(const Bytes& record) {
    TcpIpSettings t;
    t.peerIp = AddressAt(record, 0);
    t.port = Number(record, 4);
    t.peerPort = Number(record, 6);
    t.muxType = At(record, 8);
    t.codListen = At(record, 9) != 0;
    t.waterMark = Number(record, 10);
    return t;
}

Bytes EncodeText(const std::string& text, size_t size) {
    Bytes record = TextToBytes(text);
    record.resize(size, 0);
    return record;
}

std::string DecodeText(const Bytes& record) {
    const auto end = std::find(record.begin(), record.end(), 0);
    return BytesToText(record.data(), static_cast<size_t>(end - record.begin()));
}

std::string DecodeSsid(const Bytes& record) {
    Bytes chars;
    std::copy_if(record.begin(), record.end(), std::back_inserter(chars),
                 [](uint8_t b) { return b != 0; });
    return BytesToText(chars.data(), chars.size());
}

Bytes EncodeRecord(uint8_t record, const LegacySettings& s) {
    switch (record) {
        case kRecordIp:
            return EncodeAddress(s.ip);
        case kRecordNetMask:
            return EncodeAddress(s.netMask);
        case kRecordGateway:
            return EncodeAddress(s.gateway);
        case kRecordDns:
            return EncodeAddress(s.dns);
        case kRecordAddressOptions:
            return EncodeAddressOptions(s.addressOptions);
        case kRecordWireless:
            return EncodeWireless(s.wireless);
        case kRecordWep64:
            return Bytes(s.wepKeys.table64.begin(), s.wepKeys.table64.end());
        case kRecordWep128:
            return Bytes(s.wepKeys.table128.begin(), s.wepKeys.table128.end());
        case kRecordPsk:
            return Psk(s);
        case kRecordTcpIp:
            return EncodeTcpIp(s.tcpIp);
        case kRecordSsid:
            return EncodeText(s.ssid, RecordSize(record));
        case kRecordPassphrase:
            return EncodeText(s.wpaKey, RecordSize(record));
        case kRecordPeerDomainName:
            return EncodeText(s.peerDomainName, RecordSize(record));
        case kRecordUserClassId:
            return EncodeText(s.userClassId, RecordSize(record));
        default:
            return Bytes();
    }
}

bool DecodeRecord(uint8_t record, const Bytes& bytes, LegacySettings* s) {
    switch (record) {
        case kRecordIp:
            s->ip = DecodeAddress(bytes);
            return true;
        case kRecordNetMask:
            s->netMask = DecodeAddress(bytes);
            return true;
        case kRecordGateway:
            s->gateway = DecodeAddress(bytes);
            return true;
        case kRecordDns:
            s->dns = DecodeAddress(bytes);
            return true;
        case kRecordAddressOptions:
            s->addressOptions = DecodeAddressOptions(bytes);
            return true;
        case kRecordWireless:
            s->wireless = DecodeWireless(bytes);
            return true;
        case kRecordSsid:
            s->ssid = DecodeSsid(bytes);
            return true;
        case kRecordWep64:
            CopyTable(bytes, &s->wepKeys.table64);
            return true;
        case kRecordWep128:
            CopyTable(bytes, &s->wepKeys.table128);
            return true;
        case kRecordPassphrase:
            s->wpaKey = DecodeText(bytes);
            return true;
        case kRecordTcpIp:
            s->tcpIp = DecodeTcpIp(bytes);
            return true;
        case kRecordPeerDomainName:
            s->peerDomainName = DecodeText(bytes);
            return true;
        case kRecordUserClassId:
            s->userClassId = DecodeText(bytes);
            return true;
        default:
            return false;
    }
}

}  // namespace page2

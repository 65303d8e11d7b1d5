// The WPA pre-shared key from a passphrase and an SSID (the passphrase-to-PSK mapping of
// IEEE 802.11i): PBKDF2 (RFC 2898) with HMAC-SHA1, 4096 iterations, 32 bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "page_legacy/sha1.h"

namespace page2 {

constexpr size_t kPskSize = 32;
constexpr size_t kPskTextSize = 32;  // passphrase and SSID buffers
constexpr uint32_t kPskIterations = 4096;

// Block blockIndex (from 1) of PBKDF2-HMAC-SHA1 over zero-terminated texts.
void Pbkdf2Block(const char* password, const char* salt, uint32_t iterations, uint32_t blockIndex,
                 uint8_t out[kSha1DigestSize], Sha1Compress compress = Sha1CompressBest());

// Each input is a 32-byte buffer whose text ends at its first zero byte or fills it.
void PreSharedKey(uint8_t psk[kPskSize], const uint8_t passphrase[kPskTextSize],
                  const uint8_t ssid[kPskTextSize], Sha1Compress compress = Sha1CompressBest());

}  // namespace page2

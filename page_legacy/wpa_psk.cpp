// PBKDF2-HMAC-SHA1 and the WPA pre-shared key. Each iteration after the first is two
// compressions: the HMAC pad states are computed once per key, and a 20-byte message always
// fills one padded block.
#include "page_legacy/wpa_psk.h"

#include <cstring>

namespace page2 {
namespace {

// The second block of an HMAC hash over a 20-byte message: the message in words 0 to 4, then
// the end marker and the length of pad block plus message in bits.
constexpr uint32_t kEndMarker = 0x80000000;
constexpr uint32_t kPaddedLengthBits = (kSha1BlockSize + kSha1DigestSize) * 8;

}  // namespace

void Pbkdf2Block(const char* password, const char* salt, uint32_t iterations, uint32_t blockIndex,
                 uint8_t out[kSha1DigestSize], Sha1Compress compress) {
    HmacSha1Pads pads;
    HmacSha1Prepare(&pads, reinterpret_cast<const uint8_t*>(password), std::strlen(password),
                    compress);

    // U1 = HMAC(password, salt followed by the block index, most significant byte first).
    const uint8_t index[4] = {
        static_cast<uint8_t>(blockIndex >> 24), static_cast<uint8_t>(blockIndex >> 16),
        static_cast<uint8_t>(blockIndex >> 8), static_cast<uint8_t>(blockIndex)};
    Sha1Context ctx;
    Sha1Resume(&ctx, pads.inner, compress);
    Sha1Update(&ctx, reinterpret_cast<const uint8_t*>(salt), std::strlen(salt));
    Sha1Update(&ctx, index, sizeof index);
    uint8_t inner[kSha1DigestSize];
    Sha1Final(&ctx, inner);
    Sha1Resume(&ctx, pads.outer, compress);
    Sha1Update(&ctx, inner, sizeof inner);
    uint8_t u1[kSha1DigestSize];
    Sha1Final(&ctx, u1);

    uint32_t block[16] = {};
    for (int i = 0; i < 5; ++i) {
        block[i] = static_cast<uint32_t>(u1[4 * i]) << 24 | u1[4 * i + 1] << 16 |
                   u1[4 * i + 2] << 8 | u1[4 * i + 3];
    }
    block[5] = kEndMarker;
    block[15] = kPaddedLengthBits;
    uint32_t sum[5];
    std::memcpy(sum, block, sizeof sum);
    for (uint32_t n = 1; n < iterations; ++n) {
        uint32_t state[5];
        std::memcpy(state, pads.inner, sizeof state);
        compress(state, block);
        std::memcpy(block, state, sizeof state);
        std::memcpy(state, pads.outer, sizeof state);
        compress(state, block);
        std::memcpy(block, state, sizeof state);
        for (int i = 0; i < 5; ++i)
            sum[i] ^= state[i];
    }
    Sha1StoreWords(out, sum, 5);
}

void PreSharedKey(uint8_t psk[kPskSize], const uint8_t passphrase[kPskTextSize],
                  const uint8_t ssid[kPskTextSize], Sha1Compress compress) {
    // One byte more than the buffers so that a text that fills its buffer still ends.
    char password[kPskTextSize + 1] = {};
    char salt[kPskTextSize + 1] = {};
    std::memcpy(password, passphrase, kPskTextSize);
    std::memcpy(salt, ssid, kPskTextSize);
    uint8_t blocks[2 * kSha1DigestSize];
    Pbkdf2Block(password, salt, kPskIterations, 1, blocks, compress);
    Pbkdf2Block(password, salt, kPskIterations, 2, blocks + kSha1DigestSize, compress);
    std::memcpy(psk, blocks, kPskSize);
}

}  // namespace page2

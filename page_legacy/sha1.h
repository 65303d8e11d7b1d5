// SHA-1 (FIPS 180) and HMAC-SHA1 (RFC 2104), the hashes under the WPA pre-shared key. No state
// between calls and no allocation.
#pragma once

#include <cstddef>
#include <cstdint>

namespace page2 {

constexpr size_t kSha1DigestSize = 20;
constexpr size_t kSha1BlockSize = 64;

// Compresses one 64-byte block, given as 16 words each assembled most significant byte first,
// into the five chaining words.
using Sha1Compress = void (*)(uint32_t state[5], const uint32_t block[16]);

void Sha1CompressPortable(uint32_t state[5], const uint32_t block[16]);
// The compression with the processor's SHA instructions; null when the processor has none.
Sha1Compress Sha1CompressAccelerated();
// The fastest compression of this processor, chosen once.
Sha1Compress Sha1CompressBest();

struct Sha1Context {
    uint32_t state[5];
    uint32_t block[16];   // the current block, assembled into words as it arrives
    uint32_t blockBytes;  // bytes in the current block
    uint32_t bitsHigh;    // message length in bits, 64 bits in two words
    uint32_t bitsLow;
    Sha1Compress compress;
};

void Sha1Init(Sha1Context* ctx, Sha1Compress compress = Sha1CompressBest());
void Sha1Update(Sha1Context* ctx, const uint8_t* data, size_t length);
// Writes the digest and initialises the context again.
void Sha1Final(Sha1Context* ctx, uint8_t digest[kSha1DigestSize]);
void Sha1(uint8_t digest[kSha1DigestSize], const uint8_t* data, size_t length);

// The chaining words after the inner and the outer pad block of an HMAC key: computed once per
// key, they leave each further MAC of a short message two compressions.
struct HmacSha1Pads {
    uint32_t inner[5];
    uint32_t outer[5];
};
void HmacSha1Prepare(HmacSha1Pads* pads, const uint8_t* key, size_t keyLength,
                     Sha1Compress compress);
// A context that goes on hashing after one block that left these chaining words.
void Sha1Resume(Sha1Context* ctx, const uint32_t state[5], Sha1Compress compress);

void HmacSha1(uint8_t mac[kSha1DigestSize], const uint8_t* key, size_t keyLength,
              const uint8_t* data, size_t dataLength);

// Digest words and bytes, most significant byte first.
void Sha1StoreWords(uint8_t* out, const uint32_t* words, size_t count);

}  // namespace page2

// SHA-1 and HMAC-SHA1 on a chosen block compression; the portable compression.
#include "page_legacy/sha1.h"

#include <cstring>

namespace page2 {
namespace {

constexpr uint32_t kInitialState[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};

inline uint32_t Rotl(uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

}  // namespace

void Sha1CompressPortable(uint32_t state[5], const uint32_t block[16]) {
    uint32_t w[16];
    std::memcpy(w, block, sizeof w);
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    for (int t = 0; t < 80; ++t) {
        if (t >= 16) {
            w[t & 15] = Rotl(w[(t + 13) & 15] ^ w[(t + 8) & 15] ^ w[(t + 2) & 15] ^ w[t & 15], 1);
        }
        uint32_t f, k;
        if (t < 20) {
            f = d ^ (b & (c ^ d));
            k = 0x5A827999;
        } else if (t < 40) {
            f = b ^ c ^ d;
            k = 0x6ED9EBA1;
        } else if (t < 60) {
            f = (b & c) | (d & (b | c));
            k = 0x8F1BBCDC;
        } else {
            f = b ^ c ^ d;
            k = 0xCA62C1D6;
        }
        const uint32_t next = Rotl(a, 5) + f + e + k + w[t & 15];
        e = d;
        d = c;
        c = Rotl(b, 30);
        b = a;
        a = next;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
}

Sha1Compress Sha1CompressBest() {
    static const Sha1Compress best =
        Sha1CompressAccelerated() ? Sha1CompressAccelerated() : Sha1CompressPortable;
    return best;
}

void Sha1Init(Sha1Context* ctx, Sha1Compress compress) {
    Sha1Resume(ctx, kInitialState, compress);
    ctx->bitsLow = 0;
}

void Sha1Resume(Sha1Context* ctx, const uint32_t state[5], Sha1Compress compress) {
    std::memcpy(ctx->state, state, sizeof ctx->state);
    std::memset(ctx->block, 0, sizeof ctx->block);
    ctx->blockBytes = 0;
    ctx->bitsHigh = 0;
    ctx->bitsLow = kSha1BlockSize * 8;
    ctx->compress = compress;
}

void Sha1Update(Sha1Context* ctx, const uint8_t* data, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        uint32_t& word = ctx->block[ctx->blockBytes / 4];
        word = (word << 8) | data[i];
        if (++ctx->blockBytes == kSha1BlockSize) {
            ctx->compress(ctx->state, ctx->block);
            ctx->blockBytes = 0;
        }
        ctx->bitsLow += 8;
        if (ctx->bitsLow < 8)
            ++ctx->bitsHigh;
    }
}

void Sha1Final(Sha1Context* ctx, uint8_t digest[kSha1DigestSize]) {
    const uint32_t high = ctx->bitsHigh, low = ctx->bitsLow;
    const uint8_t one = 0x80, zero = 0;
    Sha1Update(ctx, &one, 1);
    while (ctx->blockBytes != kSha1BlockSize - 8)
        Sha1Update(ctx, &zero, 1);
    uint8_t length[8];
    const uint32_t lengthWords[2] = {high, low};
    Sha1StoreWords(length, lengthWords, 2);
    Sha1Update(ctx, length, sizeof length);
    Sha1StoreWords(digest, ctx->state, 5);
    Sha1Init(ctx, ctx->compress);
}

void Sha1(uint8_t digest[kSha1DigestSize], const uint8_t* data, size_t length) {
    Sha1Context ctx;
    Sha1Init(&ctx);
    Sha1Update(&ctx, data, length);
    Sha1Final(&ctx, digest);
}

void HmacSha1Prepare(HmacSha1Pads* pads, const uint8_t* key, size_t keyLength,
                     Sha1Compress compress) {
    uint8_t padded[kSha1BlockSize] = {};
    if (keyLength > kSha1BlockSize) {
        Sha1Context ctx;
        Sha1Init(&ctx, compress);
        Sha1Update(&ctx, key, keyLength);
        Sha1Final(&ctx, padded);
    } else if (keyLength > 0) {
        std::memcpy(padded, key, keyLength);
    }
    uint32_t* const targets[2] = {pads->inner, pads->outer};
    const uint8_t masks[2] = {0x36, 0x5C};
    for (int pad = 0; pad < 2; ++pad) {
        uint32_t block[16];
        for (int i = 0; i < 16; ++i) {
            block[i] = 0;
            for (int j = 0; j < 4; ++j)
                block[i] = (block[i] << 8) | (padded[4 * i + j] ^ masks[pad]);
        }
        std::memcpy(targets[pad], kInitialState, sizeof kInitialState);
        compress(targets[pad], block);
    }
}

void HmacSha1(uint8_t mac[kSha1DigestSize], const uint8_t* key, size_t keyLength,
              const uint8_t* data, size_t dataLength) {
    const Sha1Compress compress = Sha1CompressBest();
    HmacSha1Pads pads;
    HmacSha1Prepare(&pads, key, keyLength, compress);
    Sha1Context ctx;
    Sha1Resume(&ctx, pads.inner, compress);
    Sha1Update(&ctx, data, dataLength);
    uint8_t inner[kSha1DigestSize];
    Sha1Final(&ctx, inner);
    Sha1Resume(&ctx, pads.outer, compress);
    Sha1Update(&ctx, inner, sizeof inner);
    Sha1Final(&ctx, mac);
}

void Sha1StoreWords(uint8_t* out, const uint32_t* words, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        for (int j = 0; j < 4; ++j)
            out[4 * i + j] = static_cast<uint8_t>(words[i] >> (24 - 8 * j));
    }
}

}  // namespace page2

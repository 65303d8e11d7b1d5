// SHA-1, HMAC-SHA1 and the pre-shared key on every compression this processor has: published
// vectors, and OpenSSL's PBKDF2 as the reference for random passphrases and SSIDs.
#include "page_legacy/wpa_psk.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace page2 {
namespace {

std::string Hex(const uint8_t* bytes, size_t n) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 15];
    }
    return out;
}

const uint8_t* U(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

std::vector<Sha1Compress> Compressions() {
    std::vector<Sha1Compress> all = {Sha1CompressPortable};
    if (Sha1CompressAccelerated() != nullptr)
        all.push_back(Sha1CompressAccelerated());
    return all;
}

// A 32-byte buffer holding text, zero-padded.
std::vector<uint8_t> Buffer(const std::string& text) {
    std::vector<uint8_t> buffer(kPskTextSize, 0);
    std::memcpy(buffer.data(), text.data(), std::min(text.size(), buffer.size()));
    return buffer;
}

std::string Psk(const std::vector<uint8_t>& passphrase, const std::vector<uint8_t>& ssid,
                Sha1Compress compress) {
    uint8_t psk[kPskSize];
    PreSharedKey(psk, passphrase.data(), ssid.data(), compress);
    return Hex(psk, sizeof psk);
}

std::string OpensslPsk(const std::string& passphrase, const std::string& ssid) {
    uint8_t psk[kPskSize];
    PKCS5_PBKDF2_HMAC_SHA1(passphrase.data(), static_cast<int>(passphrase.size()), U(ssid),
                           static_cast<int>(ssid.size()), kPskIterations, sizeof psk, psk);
    return Hex(psk, sizeof psk);
}

TEST(Sha1, PublishedDigestsOnEveryCompression) {
    const struct {
        std::string message;
        size_t repeat;
        const char* digest;
    } kCases[] = {
        {"", 1, "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
        {"abc", 1, "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 1,
         "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        {"a", 1000000, "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
    };
    for (Sha1Compress compress : Compressions()) {
        for (const auto& c : kCases) {
            Sha1Context ctx;
            Sha1Init(&ctx, compress);
            for (size_t i = 0; i < c.repeat; ++i)
                Sha1Update(&ctx, U(c.message), c.message.size());
            uint8_t digest[kSha1DigestSize];
            Sha1Final(&ctx, digest);
            EXPECT_EQ(Hex(digest, sizeof digest), c.digest) << c.message.substr(0, 8);
            // Final leaves a fresh context behind.
            Sha1Final(&ctx, digest);
            EXPECT_EQ(Hex(digest, sizeof digest), kCases[0].digest);
        }
    }
}

TEST(HmacSha1, Rfc2202Vectors) {
    const struct {
        std::string key, data;
        const char* mac;
    } kCases[] = {
        {"Jefe", "what do ya want for nothing?", "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
        {std::string(80, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
         "aa4ae5e15272d00e95705637ce8a3b55ed402112"},
    };
    for (const auto& c : kCases) {
        uint8_t mac[kSha1DigestSize];
        HmacSha1(mac, U(c.key), c.key.size(), U(c.data), c.data.size());
        EXPECT_EQ(Hex(mac, sizeof mac), c.mac) << c.data;
    }
}

TEST(PreSharedKey, Ieee80211iVectorsAndBufferEdges) {
    const struct {
        std::vector<uint8_t> passphrase, ssid;
        std::string psk;
    } kCases[] = {
        {Buffer("password"), Buffer("IEEE"),
         "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"},
        {Buffer("ThisIsAPassword"), Buffer("ThisIsASSID"),
         "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af"},
        // Both buffers full: the texts have no terminator of their own.
        {Buffer(std::string(32, 'a')), Buffer(std::string(32, 'Z')),
         "becb93866bb8c3832cb777c2f559807c8c59afcb6eae734885001300a981cc62"},
        // A text ends at its first zero byte.
        {Buffer(std::string("pass\0word", 9)), Buffer("IEEE"), OpensslPsk("pass", "IEEE")},
    };
    for (Sha1Compress compress : Compressions()) {
        for (const auto& c : kCases)
            EXPECT_EQ(Psk(c.passphrase, c.ssid, compress), c.psk);
    }
}

TEST(PreSharedKey, MatchesOpensslOnRandomTexts) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> length(0, 32), byte(1, 255);
    for (int n = 0; n < 300; ++n) {
        std::string texts[2];
        for (std::string& text : texts) {
            text.resize(static_cast<size_t>(length(random)));
            for (char& c : text)
                c = static_cast<char>(byte(random));
        }
        const std::string expected = OpensslPsk(texts[0], texts[1]);
        // The pairs take turns on the compressions, which keeps the test quick under the
        // sanitizers.
        const std::vector<Sha1Compress> all = Compressions();
        EXPECT_EQ(Psk(Buffer(texts[0]), Buffer(texts[1]), all[n % all.size()]), expected)
            << "pair " << n;
    }
}

}  // namespace
}  // namespace page2

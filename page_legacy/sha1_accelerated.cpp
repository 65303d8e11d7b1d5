// The SHA-1 compression with the x86 SHA instructions, used when the processor reports them.
// Compiled for its function alone (target attributes), so the program still runs on processors
// without them.
#include "page_legacy/sha1.h"

#if defined(__i386__) || defined(__x86_64__)

#include <cpuid.h>
#include <immintrin.h>

#include <utility>

#define PAGE2_SHA_TARGET __attribute__((target("sha,sse4.1")))

namespace page2 {
namespace {

struct Rounds {
    __m128i abcd;
    __m128i e;         // E on entry, added into the first four message words
    __m128i abcdPrev;  // ABCD before the last four rounds: yields the next E
    __m128i w[4];      // message words of the next sixteen rounds, four per register
};

// Four rounds of group G (rounds 4G to 4G+3), then the schedule for group G+4 into its register.
template <int G>
PAGE2_SHA_TARGET __attribute__((always_inline)) inline void Group(Rounds& r) {
    __m128i e;
    if (G == 0)
        e = _mm_add_epi32(r.e, r.w[0]);
    else
        e = _mm_sha1nexte_epu32(r.abcdPrev, r.w[G & 3]);
    r.abcdPrev = r.abcd;
    r.abcd = _mm_sha1rnds4_epu32(r.abcd, e, G / 5);
    if (G + 4 < 20) {
        const __m128i mixed =
            _mm_xor_si128(_mm_sha1msg1_epu32(r.w[G & 3], r.w[(G + 1) & 3]), r.w[(G + 2) & 3]);
        r.w[G & 3] = _mm_sha1msg2_epu32(mixed, r.w[(G + 3) & 3]);
    }
}

template <int... G>
PAGE2_SHA_TARGET __attribute__((always_inline)) inline void AllGroups(
    Rounds& r, std::integer_sequence<int, G...>) {
    (Group<G>(r), ...);
}

PAGE2_SHA_TARGET void CompressWithShaInstructions(uint32_t state[5], const uint32_t block[16]) {
    // The instructions keep A in the highest lane and the first word of a group there too.
    Rounds r;
    const __m128i abcd0 =
        _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0x1B);
    const __m128i e0 = _mm_set_epi32(static_cast<int>(state[4]), 0, 0, 0);
    r.abcd = abcd0;
    r.e = e0;
    r.abcdPrev = abcd0;
    for (int i = 0; i < 4; ++i) {
        r.w[i] =
            _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block) + i), 0x1B);
    }
    AllGroups(r, std::make_integer_sequence<int, 20>());
    const __m128i e = _mm_sha1nexte_epu32(r.abcdPrev, e0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state),
                     _mm_shuffle_epi32(_mm_add_epi32(r.abcd, abcd0), 0x1B));
    state[4] = static_cast<uint32_t>(_mm_extract_epi32(e, 3));
}

bool HasShaInstructions() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_SSE4_1))
        return false;
    return __get_cpuid_count(7, 0, &a, &b, &c, &d) && (b & bit_SHA);
}

}  // namespace

Sha1Compress Sha1CompressAccelerated() {
    return HasShaInstructions() ? CompressWithShaInstructions : nullptr;
}

}  // namespace page2

#else

namespace page2 {

Sha1Compress Sha1CompressAccelerated() {
    return nullptr;
}

}  // namespace page2

#endif

#include "update/sha256_compress.h"

#if defined(__x86_64__)
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace dkl {

#if defined(__x86_64__)
namespace {

// Only this function is compiled for the SHA extensions, so the rest of the binary still runs on
// CPUs without them. The instructions keep the state as two lanes of words, ABEF and CDGH.
__attribute__((target("sha,sse4.1,ssse3"))) void CompressWithShaExtensions(std::uint32_t* state,
                                                                            const std::uint8_t* data,
                                                                            std::size_t blocks) {
  const __m128i big_endian_words = _mm_set_epi64x(0x0c0d0e0f08090a0bULL, 0x0405060700010203ULL);
  const __m128i dcba = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state));
  const __m128i hgfe = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 4));
  const __m128i cdab = _mm_shuffle_epi32(dcba, 0xB1);
  const __m128i efgh = _mm_shuffle_epi32(hgfe, 0x1B);
  __m128i abef = _mm_alignr_epi8(cdab, efgh, 8);
  __m128i cdgh = _mm_blend_epi16(efgh, cdab, 0xF0);

  for (; blocks > 0; --blocks, data += 64) {
    const __m128i abef_before = abef;
    const __m128i cdgh_before = cdgh;
    // The last four groups of four schedule words, group g in slot g % 4.
    __m128i w[4];
#pragma GCC unroll 16
    for (int g = 0; g < 16; ++g) {
      __m128i& words = w[g % 4];
      if (g < 4) {
        words = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * g)), big_endian_words);
      } else {
        const __m128i& previous = w[(g + 3) % 4];
        const __m128i sum = _mm_add_epi32(_mm_sha256msg1_epu32(words, w[(g + 1) % 4]),
                                          _mm_alignr_epi8(previous, w[(g + 2) % 4], 4));
        words = _mm_sha256msg2_epu32(sum, previous);
      }
      __m128i schedule = _mm_add_epi32(
          words, _mm_loadu_si128(reinterpret_cast<const __m128i*>(kSha256RoundConstants.data() + 4 * g)));
      // Two rounds turn ABEF into the next CDGH, so the two registers trade roles twice.
      cdgh = _mm_sha256rnds2_epu32(cdgh, abef, schedule);
      schedule = _mm_shuffle_epi32(schedule, 0x0E);
      abef = _mm_sha256rnds2_epu32(abef, cdgh, schedule);
    }
    abef = _mm_add_epi32(abef, abef_before);
    cdgh = _mm_add_epi32(cdgh, cdgh_before);
  }

  const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
  const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_blend_epi16(feba, dchg, 0xF0));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 4), _mm_alignr_epi8(dchg, feba, 8));
}

bool CpuHasShaExtensions() {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
  const bool has_ssse3_and_sse41 = (ecx & bit_SSSE3) != 0 && (ecx & bit_SSE4_1) != 0;
  if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) return false;
  return has_ssse3_and_sse41 && (ebx & bit_SHA) != 0;
}

}  // namespace

Sha256Compress Sha256ShaExtensionsIfSupported() {
  return CpuHasShaExtensions() ? &CompressWithShaExtensions : nullptr;
}

#else

Sha256Compress Sha256ShaExtensionsIfSupported() { return nullptr; }

#endif

}  // namespace dkl

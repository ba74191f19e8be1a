#include "content/BlockScan.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace veltrane::detail {
namespace {

inline bool IsSeparatorAt(const char* begin, const char* end, const char* lineFeed) {
  return lineFeed > begin && lineFeed[-1] == '\r' && end - lineFeed >= 3 && lineFeed[1] == '\r' &&
         lineFeed[2] == '\n';
}

// Candidates are '[' and line feeds with another line feed two bytes on; carriage returns are
// checked one hit at a time. Returns the first real hit among `hits` (bit i: byte p + i).
inline const char* FirstRealHit(const char* begin, const char* end, const char* p, unsigned hits) {
  while (hits != 0) {
    const char* hit = p + __builtin_ctz(hits);
    if (*hit == '[' || IsSeparatorAt(begin, end, hit)) return hit;
    hits &= hits - 1;
  }
  return nullptr;
}

}  // namespace

const char* NextBracketOrSeparatorScalar(const char* begin, const char* p, const char* end) {
  for (; p < end; ++p) {
    if (*p == '[' || (*p == '\n' && IsSeparatorAt(begin, end, p))) return p;
  }
  return end;
}

#if defined(__SSE2__)

// The loads read two bytes past each chunk, so the loops stop two bytes early.
const char* NextBracketOrSeparatorSse2(const char* begin, const char* p, const char* end) {
  const __m128i bracket = _mm_set1_epi8('[');
  const __m128i lineFeed = _mm_set1_epi8('\n');
  for (; end - p >= 18; p += 16) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i ahead = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2));
    const __m128i candidates =
        _mm_and_si128(_mm_cmpeq_epi8(here, lineFeed), _mm_cmpeq_epi8(ahead, lineFeed));
    const auto hits = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(here, bracket), candidates)));
    if (const char* hit = FirstRealHit(begin, end, p, hits)) return hit;
  }
  return NextBracketOrSeparatorScalar(begin, p, end);
}

#endif

#if defined(__x86_64__) || defined(__i386__)

__attribute__((target("avx2"))) const char* NextBracketOrSeparatorAvx2(const char* begin,
                                                                       const char* p,
                                                                       const char* end) {
  const __m256i bracket = _mm256_set1_epi8('[');
  const __m256i lineFeed = _mm256_set1_epi8('\n');
  for (; end - p >= 34; p += 32) {
    const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i ahead = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 2));
    const __m256i candidates =
        _mm256_and_si256(_mm256_cmpeq_epi8(here, lineFeed), _mm256_cmpeq_epi8(ahead, lineFeed));
    const auto hits = static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_or_si256(_mm256_cmpeq_epi8(here, bracket), candidates)));
    if (const char* hit = FirstRealHit(begin, end, p, hits)) return hit;
  }
#if defined(__SSE2__)
  return NextBracketOrSeparatorSse2(begin, p, end);
#else
  return NextBracketOrSeparatorScalar(begin, p, end);
#endif
}

// Asked of the processor directly: __builtin_cpu_supports would link libgcc's detection code,
// whose constructor runs at every start and keeps two more pages of the program in memory.
bool HasAvx2() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (__get_cpuid(1, &a, &b, &c, &d) == 0) return false;
  if ((c & bit_OSXSAVE) == 0 || (c & bit_AVX) == 0) return false;
  // The system must save the vector registers' upper halves on a task switch.
  unsigned low = 0, high = 0;
  __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
  if ((low & 0x6) != 0x6) return false;
  if (__get_cpuid_count(7, 0, &a, &b, &c, &d) == 0) return false;
  return (b & bit_AVX2) != 0;
}

#endif

ScanFunction BestScan() {
#if defined(__x86_64__) || defined(__i386__)
  if (HasAvx2()) return NextBracketOrSeparatorAvx2;
#endif
#if defined(__SSE2__)
  return NextBracketOrSeparatorSse2;
#else
  return NextBracketOrSeparatorScalar;
#endif
}

}  // namespace veltrane::detail

#pragma once

namespace veltrane::detail {

// Finds the next place where a problem file's block can change: the first '[' or blank-line
// separator at or after p, or end. A separator "\r\n\r\n" is reported at its first line feed.
// Requires begin < p when p < end. All implementations give the same answer; they differ only
// in how many bytes they test at a time.
using ScanFunction = const char* (*)(const char* begin, const char* p, const char* end);

const char* NextBracketOrSeparatorScalar(const char* begin, const char* p, const char* end);
// Only where the compiler targets SSE2: always on x86-64, not on Debian's i386 (i686).
#if defined(__SSE2__)
const char* NextBracketOrSeparatorSse2(const char* begin, const char* p, const char* end);
#endif
#if defined(__x86_64__) || defined(__i386__)
// Compiled for AVX2 whatever the target; only to be called where HasAvx2().
const char* NextBracketOrSeparatorAvx2(const char* begin, const char* p, const char* end);
bool HasAvx2();
#endif

// The fastest implementation this processor runs.
ScanFunction BestScan();

}  // namespace veltrane::detail

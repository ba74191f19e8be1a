#pragma once

#include <string>

#include "content/ProblemReader.h"

namespace veltrane::test {

// The problem file's rules followed step by step, as plainly as they read: 1-based positions,
// copies, no lookahead, so it cannot share the real splitter's shortcuts or be wrong in the
// same way. A character is a byte plus the continuation bytes that follow it, so a stray
// continuation byte goes with the character before it. Slow; for tests and fuzzing only.
ProblemSections ReferenceSplit(const std::string& text);

}  // namespace veltrane::test

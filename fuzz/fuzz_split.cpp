// Splits arbitrary bytes: the result must match a literal reading of the format's rules, and
// every section must be made of input bytes in input order.
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "content/ProblemReader.h"
#include "support/ReferenceSplit.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const veltrane::ProblemSections got = veltrane::SplitProblemText(input);

  // Nothing is invented or reordered, and no byte is used twice.
  FUZZ_CHECK(got.problemText.size() + got.freeText.size() + got.paidText.size() <= size);
  FUZZ_CHECK(veltrane::fuzz::IsSubsequence(got.problemText, input));
  FUZZ_CHECK(veltrane::fuzz::IsSubsequence(got.freeText, input));
  FUZZ_CHECK(veltrane::fuzz::IsSubsequence(got.paidText, input));

  const veltrane::ProblemSections expected = veltrane::test::ReferenceSplit(input);
  FUZZ_CHECK(got.problemText == expected.problemText);
  FUZZ_CHECK(got.freeText == expected.freeText);
  FUZZ_CHECK(got.paidText == expected.paidText);
  return 0;
}

#include "support/Printers.h"

#include <gtest/gtest.h>

namespace veltrane {

void PrintTo(const ProblemSections& sections, std::ostream* os) {
  *os << "{problem " << testing::PrintToString(sections.problemText) << ", free "
      << testing::PrintToString(sections.freeText) << ", paid "
      << testing::PrintToString(sections.paidText) << "}";
}

}  // namespace veltrane

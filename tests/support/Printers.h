#pragma once

#include <ostream>

#include "content/ProblemReader.h"

namespace veltrane {

// Beside the type, so GoogleTest finds it by argument-dependent lookup and a failed comparison
// shows the three texts. Include it wherever sections are compared.
void PrintTo(const ProblemSections& sections, std::ostream* os);

}  // namespace veltrane

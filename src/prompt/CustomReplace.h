#pragma once

#include <string>
#include <string_view>

namespace veltrane {

// Replaces every occurrence of searchText in originalText, left to right and without overlap;
// inserted text is never searched again. One pass, whatever the length. An empty searchText
// leaves the text as it is.
std::string CustomReplace(std::string_view originalText, std::string_view searchText,
                          std::string_view replaceText);

}  // namespace veltrane

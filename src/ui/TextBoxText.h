#pragma once

#include <string>
#include <string_view>

namespace veltrane {

// A text as a multi-line text box of the window holds it: its line breaks (CR LF, a lone CR,
// the paragraph separator U+2029) become line feeds, and nothing else changes. What the boxes
// give back, and so what reaches the clipboard, is in this form.
std::string AsTextBoxHolds(std::string_view text);

}  // namespace veltrane

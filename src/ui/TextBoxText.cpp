#include "ui/TextBoxText.h"

namespace veltrane {

std::string AsTextBoxHolds(std::string_view text) {
  constexpr std::string_view kParagraphSeparator = "\xE2\x80\xA9";
  std::string held;
  held.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      held += '\n';
    } else if (text.compare(i, kParagraphSeparator.size(), kParagraphSeparator) == 0) {
      i += kParagraphSeparator.size() - 1;
      held += '\n';
    } else {
      held += text[i];
    }
  }
  return held;
}

}  // namespace veltrane

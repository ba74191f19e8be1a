#include <algorithm>
#include <cmath>

#include "ui/FormLayout.h"

namespace veltrane::form {

double ContrastRatio(Rgb a, Rgb b) {
  const auto luminance = [](Rgb c) {
    const auto channel = [](std::uint8_t value) {
      const double v = value / 255.0;
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red) + 0.7152 * channel(c.green) + 0.0722 * channel(c.blue);
  };
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace veltrane::form

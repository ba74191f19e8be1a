#pragma once

#include <stdexcept>

namespace veltrane {

// A step that could not be carried out. The message is meant for the user: it names the file
// (or the thing) concerned and the reason.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace veltrane

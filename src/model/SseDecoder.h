#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane::model {

// Splits a server-sent event stream into the data of its events. Bytes may arrive cut anywhere,
// even inside a character: a line is looked at only once it is whole, and its bytes are left
// alone, so text is decoded on whole events only.
class SseDecoder {
 public:
  // Adds the next bytes; the data of every event they complete, in order.
  std::vector<std::string> Feed(std::string_view bytes);
  // At the end of the stream: the data of an event whose closing empty line never came.
  std::optional<std::string> Finish();
  // Bytes held while their line or event is not complete yet.
  std::size_t Pending() const { return line_.size() + data_.size(); }

 private:
  void EndLine(std::vector<std::string>& events);

  std::string line_;
  std::string data_;
  bool hasData_ = false;
  bool afterCarriageReturn_ = false;  // a line feed right after it ends nothing more
};

}  // namespace veltrane::model

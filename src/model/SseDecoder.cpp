#include "model/SseDecoder.h"

#include <utility>

namespace veltrane::model {

std::vector<std::string> SseDecoder::Feed(std::string_view bytes) {
  std::vector<std::string> events;
  std::size_t at = 0;
  if (afterCarriageReturn_ && !bytes.empty()) {
    if (bytes.front() == '\n') at = 1;
    afterCarriageReturn_ = false;
  }
  while (at < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", at);
    if (end == std::string_view::npos) {
      line_.append(bytes.substr(at));
      break;
    }
    line_.append(bytes.substr(at, end - at));
    EndLine(events);
    at = end + 1;
    if (bytes[end] == '\r') {
      if (at == bytes.size()) {
        afterCarriageReturn_ = true;
      } else if (bytes[at] == '\n') {
        ++at;
      }
    }
  }
  return events;
}

void SseDecoder::EndLine(std::vector<std::string>& events) {
  if (line_.empty()) {
    if (hasData_) events.push_back(std::move(data_));
    data_.clear();
    hasData_ = false;
    return;
  }
  const std::string_view line = line_;
  if (line.front() != ':') {  // a comment, such as a keep-alive
    const std::size_t colon = line.find(':');
    const std::string_view field = line.substr(0, colon);
    std::string_view value =
        colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
    if (value.starts_with(' ')) value.remove_prefix(1);
    if (field == "data") {
      if (hasData_) data_.push_back('\n');
      data_.append(value);
      hasData_ = true;
    }
  }
  line_.clear();
}

std::optional<std::string> SseDecoder::Finish() {
  std::vector<std::string> events;
  if (!line_.empty()) EndLine(events);
  afterCarriageReturn_ = false;
  if (!hasData_) return std::nullopt;
  hasData_ = false;
  return std::exchange(data_, {});
}

}  // namespace veltrane::model

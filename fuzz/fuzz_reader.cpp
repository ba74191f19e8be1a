// Reads arbitrary bytes as a problem file, once straight from memory and once through a real
// file: both must agree, and every text that reaches the window must be valid UTF-8.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "content/ProblemReader.h"
#include "content/TextEncoding.h"

namespace {

using veltrane::IsValidUtf8;

// One scratch file per process: creating a file per input would cost more than the reading.
// In memory where there is a tmpfs: on disk, rewriting it takes longer than all the checks.
const std::filesystem::path& ScratchFile() {
  static const std::filesystem::path path = [] {
    namespace fs = std::filesystem;
    for (const fs::path& folder : {fs::path("/dev/shm"), fs::temp_directory_path()}) {
      std::string pattern = (folder / "veltrane-fuzz-XXXXXX").string();
      const int fd = ::mkstemp(pattern.data());
      if (fd < 0) continue;
      ::close(fd);
      static std::string removeAtExit;
      removeAtExit = pattern;
      std::atexit([] { ::unlink(removeAtExit.c_str()); });
      return fs::path(pattern);
    }
    veltrane::fuzz::CheckFailed("a scratch file could be created", __FILE__, __LINE__);
  }();
  return path;
}

std::string AsciiBytes(std::string_view text) {
  std::string ascii;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x80) ascii.push_back(c);
  }
  return ascii;
}

std::size_t LoneLineFeeds(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ++count;
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string text = veltrane::DecodeText(bytes);
  FUZZ_CHECK(IsValidUtf8(text));
  // UTF-16 aside, decoding keeps the ASCII bytes as they were; valid UTF-8 is kept whole but
  // for a BOM.
  const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
  FUZZ_CHECK(utf16 || AsciiBytes(text) == AsciiBytes(bytes));
  if (IsValidUtf8(bytes)) {
    FUZZ_CHECK(text == (bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes));
  }

  const std::string normalized = veltrane::NormalizeLineEnds(text);
  FUZZ_CHECK(LoneLineFeeds(normalized) == 0);
  FUZZ_CHECK(normalized.size() == text.size() + LoneLineFeeds(text));
  FUZZ_CHECK(IsValidUtf8(normalized));

  const veltrane::ProblemSections sections = veltrane::SplitProblemText(normalized);
  FUZZ_CHECK(IsValidUtf8(sections.problemText));
  FUZZ_CHECK(IsValidUtf8(sections.freeText));
  FUZZ_CHECK(IsValidUtf8(sections.paidText));

  {
    std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
  }
  FUZZ_CHECK(veltrane::ReadProblemFile(ScratchFile()) == sections);
  return 0;
}

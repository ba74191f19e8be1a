// Feeds every file in the folders named on the command line to the fuzz entry, so ordinary
// builds replay the committed corpus without libFuzzer.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzCheck.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(argv[i])) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      std::ifstream in(file, std::ios::binary);
      const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in),
                                             std::istreambuf_iterator<char>()};
      std::printf("%s\n", file.filename().c_str());
      std::fflush(stdout);  // still shown if this input aborts
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++replayed;
    }
  }
  std::printf("replayed %zu inputs\n", replayed);
  // An empty corpus would pass without testing anything.
  return replayed > 0 ? 0 : 1;
}

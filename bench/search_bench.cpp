// Search over the shipped content and 10,000 generated problems of the user's: building the
// index, and each keystroke's results while typing. Prints the figures against their targets.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "content/ProblemIndex.h"
#include "content/ProblemListing.h"
#include "content/ProblemReader.h"

namespace {
namespace fs = std::filesystem;
using veltrane::ProblemIndex;

const fs::path kShipped = VELTRANE_CONTENT_DIR;
constexpr int kGenerated = 10000;

// 10,000 problems made from the shipped ones' texts, spread over every subniche of a user folder;
// made once, removed at exit.
class UserFolder {
 public:
  UserFolder() {
    std::string pattern = (fs::temp_directory_path() / "veltrane-search-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern;
    std::vector<std::string> names;
    std::vector<veltrane::ProblemSections> texts;
    std::vector<std::string> words;
    for (const auto& file : fs::recursive_directory_iterator(kShipped / "niches")) {
      if (file.path().extension() != ".txt") continue;
      names.push_back(file.path().stem().string());
      texts.push_back(veltrane::ReadProblemFile(file.path()));
      std::string word;
      for (const char c : texts.back().problemText + ' ') {
        if (c != ' ') {
          word += c;
        } else if (!word.empty()) {
          words.push_back(std::move(word));
          word.clear();
        }
      }
    }
    std::mt19937 random(42);
    const auto pick = [&random](const auto& list) { return list[random() % list.size()]; };
    for (int i = 0; i < kGenerated; ++i) {
      // A run of shipped words as long as a shipped problem, a quarter of them swapped.
      std::string problem;
      for (std::size_t w = random() % words.size(), n = 0; n < 40; ++n, ++w) {
        problem += (random() % 4 == 0 ? pick(words) : words[w % words.size()]) + ' ';
      }
      const fs::path folder = root_ / "niches" / std::to_string(i % 6) / std::to_string(i / 6 % 8);
      fs::create_directories(folder);
      std::ofstream(folder / (pick(names) + " " + std::to_string(i) + ".txt"), std::ios::binary)
          << "[PROBLEM]\r\n"
          << problem << "\r\n\r\n[FREE]\r\n"
          << pick(texts).freeText << "\r\n\r\n[PAID]\r\n"
          << pick(texts).paidText;
    }
  }
  ~UserFolder() { fs::remove_all(root_); }
  const fs::path& root() const { return root_; }

 private:
  fs::path root_;
};

const UserFolder& Folder() {
  static const UserFolder folder;
  return folder;
}

std::size_t ShippedCount() {
  std::size_t count = 0;
  for (const auto& file : fs::recursive_directory_iterator(kShipped / "niches")) {
    count += file.path().extension() == ".txt";
  }
  return count;
}

struct Figures {
  std::vector<double> build;         // ms per build
  std::vector<double> keystroke;     // ms per keystroke
  std::vector<double> keystrokeCpu;  // the same in this thread's processor time, without the
                                     // waits of a machine shared with other work
  bool wrong = false;
};
Figures& Measured() {
  static Figures figures;
  return figures;
}

double Ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double ThreadCpuMs() {
  timespec now{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void BM_BuildIndex(benchmark::State& state) {
  const fs::path user = Folder().root();
  const std::size_t expected = kGenerated + ShippedCount();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    ProblemIndex index({user, kShipped});
    const bool ready = index.Refresh();
    Measured().build.push_back(Ms(std::chrono::steady_clock::now() - start));
    if (!ready || index.size() != expected) {
      Measured().wrong = true;
      state.SkipWithError("wrong count");
    }
  }
}

// Each keystroke of typing words from the start: the checks a search makes, then the search.
void BM_Keystrokes(benchmark::State& state) {
  static ProblemIndex index({Folder().root(), kShipped});
  index.Refresh();
  const char* const words[] = {"website", "hosting", "resume", "budget", "crypto",
                               "sleep",   "kinsta",  "credit", "zqxjvw", "m\xC3\xA9thode"};
  std::size_t firstLetterHits = 0;
  for (auto _ : state) {
    for (const std::string word : words) {
      // Letters, not bytes: "é" is one keystroke.
      for (std::size_t end = 1, letters = 1; end <= word.size() && letters <= 6; ++end) {
        if (end < word.size() && (static_cast<unsigned char>(word[end]) & 0xC0) == 0x80) continue;
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuMs();
        index.Refresh(ProblemIndex::kChecksPerSearch);
        const std::vector<veltrane::SearchHit> hits = index.Search(word.substr(0, end));
        Measured().keystroke.push_back(Ms(std::chrono::steady_clock::now() - start));
        Measured().keystrokeCpu.push_back(ThreadCpuMs() - cpuStart);
        if (letters++ == 1) firstLetterHits = std::max(firstLetterHits, hits.size());
        benchmark::DoNotOptimize(hits.data());
      }
    }
  }
  state.counters["hits_of_one_letter"] = static_cast<double>(firstLetterHits);
}

BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Keystrokes)->Unit(benchmark::kMillisecond)->Iterations(20);

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}
double Worst(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  const Figures& m = Measured();
  if (m.wrong) {
    std::printf("\nWRONG RESULT: the index did not hold every problem\n");
    return 1;
  }
  struct Row {
    const char* what;
    const std::vector<double>& values;
    double measured, target;
  } rows[] = {
      {"build, 10,000 + shipped problems (median)", m.build, Median(m.build), 300},
      {"build (worst)", m.build, Worst(m.build), 300},
      {"keystroke, 1 to 6 letters (median)", m.keystroke, Median(m.keystroke), 16},
      {"keystroke (worst)", m.keystroke, Worst(m.keystroke), 50},
      {"keystroke (worst, processor time)", m.keystrokeCpu, Worst(m.keystrokeCpu), 50},
  };
  bool allMet = true;
  std::printf("\n%-45s %10s %10s\n", "ms", "measured", "target");
  for (const Row& row : rows) {
    if (row.values.empty()) {
      std::printf("%-45s %10s %10.0f  (not run)\n", row.what, "-", row.target);
      continue;
    }
    const bool met = row.measured <= row.target;
    allMet = allMet && met;
    std::printf("%-45s %10.2f %10.0f  %s\n", row.what, row.measured, row.target,
                met ? "met" : "MISSED");
  }
  return allMet ? 0 : 1;
}

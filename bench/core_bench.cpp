// Speed of the text routines and the listing, each against the cheapest thing that touches the
// same bytes, measured in the same run. Prints each ratio and its target at the end.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "content/ProblemListing.h"
#include "content/ProblemReader.h"
#include "prompt/CustomReplace.h"

namespace {
namespace fs = std::filesystem;
using veltrane::ContentRoots;
using veltrane::CustomReplace;
using veltrane::ListProblems;
using veltrane::SplitProblemText;

constexpr std::size_t kMiB = 1024 * 1024;

// `bytes` long, with `occurrences` copies of "#NICHE#" spread evenly through filler text.
std::string ReplaceInput(std::size_t bytes, std::size_t occurrences) {
  const std::string filler = "Write a clear, useful article for readers who need help. ";
  const std::size_t stride = bytes / occurrences;
  std::string text;
  text.reserve(bytes);
  while (text.size() < bytes) {
    const std::size_t mark = text.size();
    while (text.size() - mark < stride - 7) text += filler[(text.size() - mark) % filler.size()];
    text += "#NICHE#";
  }
  text.resize(bytes);
  return text;
}

// Problem files of the shipped content's shape one after another, `bytes` long in all.
std::string SplitInput(std::size_t bytes) {
  const std::string file =
      "[PROBLEM]\r\nMy website takes more than five seconds to load on mobile, and most visitors "
      "leave before the first page appears.\r\n\r\n"
      "[FREE]\r\nPageSpeed Insights: measures each page on mobile and desktop and lists the "
      "images, scripts and server delays that slow it down.\r\n\r\n"
      "[PAID]\r\nKinsta: managed WordPress hosting on fast servers with a built-in CDN, "
      "server-level caching and a dashboard that shows slow plugins.\r\n"
      "WP Rocket: a caching plugin that adds page caching, lazy loading and file minification "
      "in a few clicks, without editing code.\r\n"
      "NitroPack: an all-in-one speed service that compresses images, defers scripts and serves "
      "pages from its own CDN.\r\n\r\n";  // an empty line keeps the next file's blocks apart
  std::string text;
  text.reserve(bytes + file.size());
  while (text.size() < bytes) text += file;
  text.resize(bytes);
  return text;
}

void BM_Memcpy(benchmark::State& state) {
  const std::string text = ReplaceInput(static_cast<std::size_t>(state.range(0)) * kMiB, 100000);
  std::string copy(text.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), text.data(), text.size());
    char* copied = copy.data();
    benchmark::DoNotOptimize(copied);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_CustomReplace(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * kMiB;
  const std::string text =
      ReplaceInput(bytes, 100000 * static_cast<std::size_t>(state.range(0)) / 10);
  for (auto _ : state) {
    std::string out = CustomReplace(text, "#NICHE#", "Internet Marketing");
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_Memchr(benchmark::State& state) {
  const std::string text = SplitInput(static_cast<std::size_t>(state.range(0)) * kMiB);
  for (auto _ : state) {
    const void* found = std::memchr(text.data(), '\0', text.size());
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_SplitProblemText(benchmark::State& state) {
  const std::string text = SplitInput(static_cast<std::size_t>(state.range(0)) * kMiB);
  for (auto _ : state) {
    auto sections = SplitProblemText(text);
    benchmark::DoNotOptimize(sections);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// Benchmarks whose code gave a wrong result: their times mean nothing. Kept here rather than
// read from the reported runs, whose error flag changed between library versions.
std::set<std::string>& WrongResults() {
  static std::set<std::string> names;
  return names;
}

// A subniche folder with 10,000 problem files, made once and removed at exit.
class ProblemFolder {
 public:
  ProblemFolder() {
    std::string pattern = (fs::temp_directory_path() / "veltrane-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern;
    fs::create_directories(root_ / "niches/0/0");
    for (int i = 0; i < 10000; ++i) {
      std::ofstream(root_ / "niches/0/0" / ("Problem number " + std::to_string(i) + ".txt")) << "x";
    }
  }
  ~ProblemFolder() { fs::remove_all(root_); }
  const fs::path& root() const { return root_; }

 private:
  fs::path root_;
};

const ProblemFolder& Folder() {
  static ProblemFolder folder;
  return folder;
}

void BM_DirectoryIteration(benchmark::State& state) {
  const fs::path folder = Folder().root() / "niches/0/0";
  for (auto _ : state) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
      const char* name = entry.path().c_str();
      benchmark::DoNotOptimize(name);
      ++count;
    }
    benchmark::DoNotOptimize(count);
  }
}

void BM_ListProblems(benchmark::State& state) {
  const fs::path root = Folder().root();
  for (auto _ : state) {
    auto problems = ListProblems(ContentRoots{root}, "0", "0");
    if (problems.size() != 10000) {
      WrongResults().insert("BM_ListProblems");
      state.SkipWithError("wrong count");
    }
    benchmark::DoNotOptimize(problems);
  }
}

BENCHMARK(BM_Memcpy)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomReplace)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memchr)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitProblemText)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectoryIteration)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListProblems)->Unit(benchmark::kMillisecond);

// Keeps each run's real time per iteration so the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        times_[run.benchmark_name()] =
            run.real_accumulated_time / static_cast<double>(run.iterations);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Prints each ratio; false if one misses its target or could not be measured.
  bool PrintRatios() const {
    struct Ratio {
      const char* what;
      const char* subject;
      const char* baseline;
      double target;
    };
    const Ratio ratios[] = {
        {"CustomReplace 10 MiB, 100k hits vs memcpy", "BM_CustomReplace/10", "BM_Memcpy/10", 5},
        {"CustomReplace 20 MiB vs 10 MiB (doubling)", "BM_CustomReplace/20", "BM_CustomReplace/10",
         2.2},
        {"SplitProblemText 10 MiB vs memchr", "BM_SplitProblemText/10", "BM_Memchr/10", 10},
        {"ListProblems 10,000 files vs directory_iterator", "BM_ListProblems",
         "BM_DirectoryIteration", 3},
    };
    bool allMet = true;
    std::printf("\n%-50s %8s %8s\n", "ratio", "measured", "target");
    for (const Ratio& r : ratios) {
      const auto s = times_.find(r.subject);
      const auto b = times_.find(r.baseline);
      if (s == times_.end() || b == times_.end()) {
        std::printf("%-50s %8s %8.1f  (not run)\n", r.what, "-", r.target);
        continue;  // filtered out with --benchmark_filter
      }
      if (WrongResults().count(r.subject) + WrongResults().count(r.baseline) > 0) {
        std::printf("%-50s %8s %8.1f  WRONG RESULT\n", r.what, "-", r.target);
        allMet = false;
        continue;
      }
      const double ratio = s->second / b->second;
      const bool met = ratio <= r.target;
      allMet = allMet && met;
      std::printf("%-50s %8.2f %8.1f  %s\n", r.what, ratio, r.target, met ? "met" : "MISSED");
    }
    return allMet;
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return reporter.PrintRatios() ? 0 : 1;
}

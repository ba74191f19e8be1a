#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "content/ContentPaths.h"
#include "prompt/ArticleOptions.h"
#include "prompt/Batch.h"

// The program's command line: the window's options, and the modes that print without one.
// Nothing here needs Qt or a display.
namespace veltrane::cli {

struct Options {
  enum class Mode { Window, List, ListTypes, Print, Search, Generate, Help, Version };
  Mode mode = Mode::Window;
  std::optional<int> niche;  // menu index
  std::optional<int> subniche;
  std::optional<std::string> problem;
  bool includeFree = true;
  std::string search;  // the words --search looks for
  // The article's type and options, as the window's chooser and dialog set them.
  std::optional<std::string> type;
  ArticleOptions article;
  std::optional<std::string> experienceFile;
  // --print --all: every problem's prompt into `out`, with calendar.csv.
  bool all = false;
  std::optional<std::string> out;
  Rhythm every = Rhythm::Weekly;
  // --generate: the model's server and model, else the saved settings.
  std::optional<std::string> base;
  std::optional<std::string> model;
  std::vector<std::string> toolkitArguments;  // single-dash arguments, for Qt
};

// The arguments after the program's name. A mistake gives its message for standard error.
std::variant<Options, std::string> Parse(std::span<const std::string_view> arguments);

// A niche by its menu index ("0" to "5") or its name, letter case ignored.
std::optional<int> NicheIndex(std::string_view value);
// A subniche of `niche` by its index ("0" to "7") or its name, letter case ignored.
std::optional<int> SubnicheIndex(int niche, std::string_view value);

struct Outcome {
  int status = 0;
  std::string out;  // for standard output, byte for byte
  std::string err;  // for standard error
};

// Runs the modes that need neither a window nor Qt: --list, --list-types, --print,
// --search, --help and --version.
Outcome Run(const Options& options, const ContentRoots& roots);

// Writes all of `text`, however many writes it takes. Returns 0, or the errno of the failure.
int WriteAll(int fd, std::string_view text);

// Writes the outcome out and gives the exit status: 1 when its output could not be written
// whole, said on `errFd` unless the reader went away (EPIPE), which is no news to anyone.
int Deliver(const Outcome& outcome, int outFd, int errFd);

// The folder of the running program, links resolved: its content lies beside it.
std::filesystem::path ExecutableDirectory();

// Whether the window has somewhere to open: an X or Wayland display, or a Qt platform chosen
// by hand (QT_QPA_PLATFORM, such as "offscreen").
bool HasDisplay(const char* display, const char* waylandDisplay, const char* platform);

// Said when the window is asked for where there is no display.
std::string NoDisplayMessage();

}  // namespace veltrane::cli

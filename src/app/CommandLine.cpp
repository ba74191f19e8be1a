#include "app/CommandLine.h"

#include <algorithm>
#include <ctime>

#include "content/Failure.h"
#include "content/NameFold.h"
#include "content/NicheCatalog.h"
#include "content/ProblemListing.h"
#include "content/ProblemReader.h"
#include "content/TextEncoding.h"
#include "content/TextFile.h"
#include "prompt/ComposePrompt.h"
#include "ui/TextBoxText.h"

#ifndef VELTRANE_VERSION
#error "VELTRANE_VERSION must be defined by the build"
#endif

namespace veltrane::cli {
namespace {

// An index written plainly: "0" to the count less one, no sign, space or leading zero.
std::optional<int> PlainIndex(std::string_view value, std::size_t count) {
  if (value.size() != 1 || value[0] < '0') return std::nullopt;
  const int index = value[0] - '0';
  return static_cast<std::size_t>(index) < count ? std::optional<int>(index) : std::nullopt;
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted.append(text).push_back('"');
  return quoted;
}

std::string NicheChoices() {
  std::string text;
  for (const NicheEntry& niche : NicheCatalog()) {
    text += "  " + std::to_string(niche.menuIndex) + "  " + std::string(niche.name) + "\n";
  }
  return text;
}

std::string SubnicheChoices(int niche) {
  std::string text;
  const auto& subniches = NicheCatalog()[static_cast<std::size_t>(niche)].subniches;
  for (std::size_t j = 0; j < subniches.size(); ++j) {
    text += "  " + std::to_string(j) + "  " + std::string(subniches[j]) + "\n";
  }
  return text;
}

std::string Usage() {
  return "Usage: veltrane [--niche N]\n"
         "       veltrane --list --niche N --subniche S\n"
         "       veltrane --print --niche N --subniche S --problem NAME [--no-free]\n"
         "       veltrane --print --all --niche N [--subniche S] --out DIR [--every R] "
         "[--no-free]\n"
         "       veltrane --generate --niche N --subniche S --problem NAME [--base URL]\n"
         "                [--model NAME] [--no-free]\n"
         "\n"
         "Composes article prompts for writers of affiliate-marketing articles: a common\n"
         "problem of a subniche, a free resource and paid ones, filled into a prompt template.\n"
         "Without --list or --print it opens its window.\n"
         "\n"
         "  --niche N         the niche: 0 to 5, or its name (letter case ignored); the window\n"
         "                    starts with it\n"
         "  --subniche S      the subniche: 0 to 7, or its name\n"
         "  --list            print the subniche's problem names, one a line, as the window\n"
         "                    lists them\n"
         "  --print           print the prompt that \"Copy to Clipboard\" gives for the problem,\n"
         "                    its texts unedited\n"
         "  --problem NAME    the problem, named as --list prints it\n"
         "  --no-free         with --print or --generate: the prompt without a free resource\n"
         "  --all             with --print: write every problem's prompt of the subniche (of\n"
         "                    every subniche of the niche without --subniche, a folder each)\n"
         "                    into --out DIR, with calendar.csv from today on\n"
         "  --every R         the calendar's rhythm: daily, weekly (the default), 2weeks or\n"
         "                    monthly\n"
         "  --generate        send the problem's prompt to your language model and stream the\n"
         "                    article to standard output\n"
         "  --base URL        with --generate: the server, such as http://localhost:11434/v1;\n"
         "  --model NAME      and its model; else those saved in the window's Model Settings.\n"
         "                    The key comes from VELTRANE_API_KEY, else the desktop's keyring\n"
         "  --help            show this help and exit\n"
         "  --version         show the version and exit\n"
         "\n"
         "Niches:\n" +
         NicheChoices() +
         "\n"
         "Your own problems, templates and pictures live in $XDG_DATA_HOME/veltrane\n"
         "(~/.local/share/veltrane when XDG_DATA_HOME is not set), laid out as the shipped ones.\n"
         "\n"
         "Exit status: 0 on success, 1 when a file cannot be read or a problem is unknown, or\n"
         "the model failed or stopped before the article was complete, 2 when the command line\n"
         "is wrong.\n";
}

// --print --all: the prompts of one subniche, or of each subniche in a folder of its own.
Outcome WriteAll(const Options& options, const ContentRoots& roots) {
  Outcome outcome;
  std::vector<int> subniches;
  for (int j = 0; j < static_cast<int>(kSubnicheCount); ++j) {
    if (!options.subniche || *options.subniche == j) subniches.push_back(j);
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::chrono::year_month_day today{std::chrono::year(local.tm_year + 1900),
                                          std::chrono::month(unsigned(local.tm_mon + 1)),
                                          std::chrono::day(unsigned(local.tm_mday))};
  const std::filesystem::path out = options.out.value();
  try {
    const std::vector<BatchItem> items = PlanBatch(roots, *options.niche, subniches,
                                                   !options.subniche, ".txt", today, options.every);
    for (const BatchItem& item : items) {
      WriteFileAtomically(out / item.file, ProblemPrompt(roots, item.niche, item.subniche,
                                                         item.problem, options.includeFree));
    }
    WriteFileAtomically(out / "calendar.csv", CalendarCsv(items));
    outcome.out = "Wrote " + std::to_string(items.size()) + " prompts and calendar.csv to " +
                  DisplayPath(out) + "\n";
  } catch (const Failure& failure) {
    outcome.status = 1;
    outcome.err = std::string(failure.what()) + "\n";
  }
  return outcome;
}

}  // namespace

std::optional<int> NicheIndex(std::string_view value) {
  if (auto index = PlainIndex(value, kNicheCount)) return index;
  for (const NicheEntry& niche : NicheCatalog()) {
    if (SameName(niche.name, value)) return niche.menuIndex;
  }
  return std::nullopt;
}

std::optional<int> SubnicheIndex(int niche, std::string_view value) {
  if (niche < 0 || static_cast<std::size_t>(niche) >= kNicheCount) return std::nullopt;
  if (auto index = PlainIndex(value, kSubnicheCount)) return index;
  const auto& subniches = NicheCatalog()[static_cast<std::size_t>(niche)].subniches;
  for (std::size_t j = 0; j < subniches.size(); ++j) {
    if (SameName(subniches[j], value)) return static_cast<int>(j);
  }
  return std::nullopt;
}

std::variant<Options, std::string> Parse(std::span<const std::string_view> arguments) {
  Options options;
  bool help = false;
  bool version = false;
  bool list = false;
  bool print = false;
  bool generate = false;
  std::optional<std::string> every;
  std::optional<std::string> niche;
  std::optional<std::string> subniche;
  const auto error = [](const std::string& message) {
    return "veltrane: " + message + "\nTry \"veltrane --help\" for more information.\n";
  };

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view argument = arguments[i];
    if (!argument.starts_with("--")) {
      if (argument.starts_with('-') && argument.size() > 1) {
        // Qt's own options, such as "-style fusion", with the value that may follow.
        options.toolkitArguments.emplace_back(argument);
        if (i + 1 < arguments.size() && !arguments[i + 1].starts_with('-')) {
          options.toolkitArguments.emplace_back(arguments[++i]);
        }
        continue;
      }
      return error("unexpected argument " + Quoted(argument) + ".");
    }
    std::optional<std::string> attached;
    if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
      attached = std::string(argument.substr(equals + 1));
      argument = argument.substr(0, equals);
    }
    const auto value = [&](std::optional<std::string>& into) -> std::optional<std::string> {
      if (attached) {
        into = attached;
      } else if (i + 1 < arguments.size()) {
        into = std::string(arguments[++i]);
      } else {
        return error(std::string(argument) + " needs a value.");
      }
      return std::nullopt;
    };
    const auto flag = [&](bool& into) -> std::optional<std::string> {
      if (attached) return error(std::string(argument) + " takes no value.");
      into = true;
      return std::nullopt;
    };

    std::optional<std::string> mistake;
    bool noFree = false;
    if (argument == "--help") {
      mistake = flag(help);
    } else if (argument == "--version") {
      mistake = flag(version);
    } else if (argument == "--list") {
      mistake = flag(list);
    } else if (argument == "--print") {
      mistake = flag(print);
    } else if (argument == "--no-free") {
      mistake = flag(noFree);
      if (noFree) options.includeFree = false;
    } else if (argument == "--all") {
      mistake = flag(options.all);
    } else if (argument == "--generate") {
      mistake = flag(generate);
    } else if (argument == "--out") {
      mistake = value(options.out);
    } else if (argument == "--every") {
      mistake = value(every);
    } else if (argument == "--base") {
      mistake = value(options.base);
    } else if (argument == "--model") {
      mistake = value(options.model);
    } else if (argument == "--niche") {
      mistake = value(niche);
    } else if (argument == "--subniche") {
      mistake = value(subniche);
    } else if (argument == "--problem") {
      mistake = value(options.problem);
    } else {
      mistake = error("unknown option " + Quoted(argument) + ".");
    }
    if (mistake) return *mistake;
  }

  if (help) {
    options.mode = Options::Mode::Help;
    return options;
  }
  if (version) {
    options.mode = Options::Mode::Version;
    return options;
  }
  if (list + print + generate > 1) {
    return error("--list, --print and --generate cannot be used together.");
  }
  options.mode = list       ? Options::Mode::List
                 : print    ? Options::Mode::Print
                 : generate ? Options::Mode::Generate
                            : Options::Mode::Window;
  if ((options.all || options.out || every) && !(print && options.all && options.out)) {
    return error("--all, --out and --every go together with --print, --all needing --out.");
  }
  if (every) {
    const std::optional<Rhythm> rhythm = ParseRhythm(*every);
    if (!rhythm) return error("--every takes daily, weekly, 2weeks or monthly.");
    options.every = *rhythm;
  }
  if ((options.base || options.model) && !generate)
    return error("--base and --model go with --generate.");
  if (niche) {
    options.niche = NicheIndex(*niche);
    if (!options.niche) {
      return "veltrane: unknown niche " + Quoted(*niche) +
             ". Give its number or its name, one of:\n" + NicheChoices();
    }
  }
  if (options.mode == Options::Mode::Window) {
    if (subniche || options.problem || !options.includeFree) {
      return error(
          "--subniche, --problem and --no-free go with --list or --print (or --generate).");
    }
    return options;
  }
  if (!options.toolkitArguments.empty()) {
    return error("unknown option " + Quoted(options.toolkitArguments.front()) + ".");
  }
  if (!niche) return error("--list, --print and --generate need --niche and --subniche.");
  if (options.all && !subniche) {
    if (options.problem) return error("--all writes every problem: --problem goes without it.");
    return options;
  }
  if (!subniche) return error("--list, --print and --generate need --niche and --subniche.");
  options.subniche = SubnicheIndex(*options.niche, *subniche);
  if (!options.subniche) {
    return "veltrane: unknown subniche " + Quoted(*subniche) + " of " +
           std::string(NicheCatalog()[static_cast<std::size_t>(*options.niche)].name) +
           ". Give its number or its name, one of:\n" + SubnicheChoices(*options.niche);
  }
  if (options.mode == Options::Mode::List && (options.problem || !options.includeFree)) {
    return error("--problem and --no-free go with --print.");
  }
  if (options.mode != Options::Mode::List && options.all == options.problem.has_value()) {
    return error(options.all ? "--all writes every problem: --problem goes without it."
                 : options.mode == Options::Mode::Print ? "--print needs --problem."
                                                        : "--generate needs --problem.");
  }
  return options;
}

Outcome Run(const Options& options, const ContentRoots& roots) {
  Outcome outcome;
  switch (options.mode) {
    case Options::Mode::Help:
      outcome.out = Usage();
      return outcome;
    case Options::Mode::Version:
      outcome.out = "veltrane " VELTRANE_VERSION "\n";
      return outcome;
    case Options::Mode::Window:
    case Options::Mode::Generate:
      outcome.status = 2;
      outcome.err = "veltrane: the window is not opened from here.\n";
      return outcome;
    case Options::Mode::List:
    case Options::Mode::Print:
      break;
  }

  if (options.all) return WriteAll(options, roots);
  const NicheEntry& niche = NicheCatalog()[static_cast<std::size_t>(options.niche.value())];
  const std::string menu = std::to_string(*options.niche);
  const std::string sub = std::to_string(options.subniche.value());
  const std::vector<ProblemEntry> problems = ListProblems(roots, menu, sub);
  if (options.mode == Options::Mode::List) {
    for (const ProblemEntry& problem : problems) outcome.out += problem.name + "\n";
    return outcome;
  }

  const std::string& wanted = options.problem.value();
  const auto found = std::find_if(problems.begin(), problems.end(),
                                  [&wanted](const ProblemEntry& p) { return p.name == wanted; });
  const std::string subnicheName(niche.subniches[static_cast<std::size_t>(*options.subniche)]);
  if (found == problems.end()) {
    outcome.status = 1;
    outcome.err = "veltrane: there is no problem " + Quoted(wanted) + " in " +
                  std::string(niche.name) + " / " + subnicheName +
                  "; \"veltrane --list\" shows the names.\n";
    return outcome;
  }
  try {
    // What the window's boxes would hold, then the prompt as its box holds it.
    const ProblemSections read =
        ReadProblemFile(ProblemFolderPath(roots.at(found->root), menu, sub) / found->fileName);
    const ProblemSections boxes{read.problemText, AsTextBoxHolds(read.freeText),
                                AsTextBoxHolds(read.paidText)};
    outcome.out =
        AsTextBoxHolds(ComposePrompt(roots, options.includeFree, niche.name, subnicheName, boxes));
  } catch (const Failure& failure) {
    outcome.status = 1;
    outcome.err = std::string(failure.what()) + "\n";
  }
  return outcome;
}

std::filesystem::path ExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path(error) : self.parent_path();
}

bool HasDisplay(const char* display, const char* waylandDisplay, const char* platform) {
  const auto set = [](const char* value) { return value != nullptr && value[0] != '\0'; };
  return set(display) || set(waylandDisplay) || set(platform);
}

std::string NoDisplayMessage() {
  return "veltrane: there is no display to open the window on (neither DISPLAY nor "
         "WAYLAND_DISPLAY is set); \"veltrane --list\" and \"veltrane --print\" work without one, "
         "see \"veltrane --help\".\n";
}

}  // namespace veltrane::cli

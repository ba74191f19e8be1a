#include "app/CommandLine.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <numeric>

#include "content/Failure.h"
#include "content/NameFold.h"
#include "content/NicheCatalog.h"
#include "content/ProblemIndex.h"
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

// Qt's own options: QGuiApplication's and QApplication's, then the X11 platform's, that take
// the next argument as their value; then those that take none.
constexpr std::string_view kToolkitOptionsWithValue[] = {
    "-platform",     "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry",
    "-qwindowtitle", "-qwindowicon",        "-session",       "-style",  "-stylesheet"};
constexpr std::string_view kX11OptionsWithValue[] = {
    "-display", "-geometry",   "-title", "-icon",   "-name", "-graphicssystem",
    "-visual",  "-ncols",      "-fn",    "-font",   "-bg",   "-background",
    "-fg",      "-foreground", "-btn",   "-button", "-im",   "-inputstyle"};
constexpr std::string_view kToolkitFlags[] = {"-reverse",     "-widgetcount", "-nograb", "-dograb",
                                              "-testability", "-sync",        "-cmap"};

bool IsOneOf(std::string_view name, std::span<const std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The window's keys: Ctrl+1 to Ctrl+6 choose a niche, 1 to 8 a subniche on its picture.
std::string NicheLines() {
  std::string text;
  for (const NicheEntry& niche : NicheCatalog()) {
    text += std::to_string(niche.menuIndex) + "\tCtrl+" + std::to_string(niche.menuIndex + 1) +
            "\t" + std::string(niche.name) + "\n";
  }
  return text;
}

std::string SubnicheLines(int niche) {
  std::string text;
  const auto& subniches = NicheCatalog()[static_cast<std::size_t>(niche)].subniches;
  for (std::size_t j = 0; j < subniches.size(); ++j) {
    text +=
        std::to_string(j) + "\t" + std::to_string(j + 1) + "\t" + std::string(subniches[j]) + "\n";
  }
  return text;
}

// Levenshtein distance, byte by byte: enough to rank suggestions.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// Up to `count` names nearest to `wanted`, letter case ignored; ties in the listing's order.
std::string NearestNames(const std::vector<ProblemEntry>& problems, std::string_view wanted,
                         std::size_t count) {
  const std::string key = FoldName(wanted);
  std::vector<std::pair<std::size_t, const ProblemEntry*>> ranked;
  for (const ProblemEntry& problem : problems) {
    ranked.emplace_back(EditDistance(key, FoldName(problem.name)), &problem);
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string names;
  for (std::size_t i = 0; i < ranked.size() && i < count; ++i) {
    names += (i == 0 ? "" : ", ") + Quoted(ranked[i].second->name);
  }
  return names;
}

std::string Usage() {
  return "Usage: veltrane [--niche N] [Qt options]\n"
         "  or:  veltrane --list [--niche N [--subniche S]]\n"
         "  or:  veltrane --print --niche N --subniche S --problem NAME [--no-free]\n"
         "                [--type TYPE] [--language NAME] [--tone TONE] [--length WORDS]\n"
         "                [--experience-file FILE]\n"
         "  or:  veltrane --list-types\n"
         "  or:  veltrane --search TEXT\n"
         "  or:  veltrane --print --all --niche N [--subniche S] --out DIR [--every R]\n"
         "                [--no-free]\n"
         "  or:  veltrane --generate --niche N --subniche S --problem NAME [--base URL]\n"
         "                [--model NAME] [--no-free]\n"
         "\n"
         "Composes article prompts for writers of affiliate-marketing articles: a common\n"
         "problem of a subniche, a free resource and paid ones, filled into a prompt template.\n"
         "Without --list, --print or --search it opens its window.\n"
         "\n"
         "  --niche N         the niche: 0 to 5, or its name (letter case ignored); the window\n"
         "                    starts with it\n"
         "  --subniche S      the subniche: 0 to 7, or its name\n"
         "  --list            print the niches, or with --niche its subniches, a line each:\n"
         "                    number, window key and name, separated by tabs; with\n"
         "                    --subniche too, the subniche's problem names, one a line, as\n"
         "                    the window lists them\n"
         "  --print           print the prompt that \"Copy to Clipboard\" gives for the problem,\n"
         "                    its texts unedited\n"
         "  --problem NAME    the problem, named as --list prints it; letter case may differ\n"
         "                    where that leaves one problem\n"
         "  --no-free         with --print: the prompt without a free resource\n"
         "  --type TYPE       with --print: the article type, by its name or its folder's\n"
         "                    (--list-types prints them); the problem-solution one otherwise\n"
         "  --language NAME   with --print: the language the article is written in\n"
         "                    (English otherwise)\n"
         "  --tone TONE       with --print: friendly (otherwise), professional or direct\n"
         "  --length WORDS    with --print: about how many words, 300 to 10000\n"
         "  --experience-file FILE\n"
         "                    with --print: your own experience, used in place of the line\n"
         "                    the prompt otherwise leaves for it\n"
         "  --list-types      print the article types, a line each: folder and name, apart\n"
         "                    by a tab\n"
         "  --search TEXT     print every problem whose name or texts hold all the words of\n"
         "                    TEXT (letter case and accents ignored), one a line: niche number,\n"
         "                    subniche number and name, apart by tabs, as --print takes them\n"
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
         "  -h, --help        show this help and exit\n"
         "  -v, --version     show the version and exit\n"
         "\n"
         "Qt's own options, such as -style NAME, -platform NAME, -reverse or\n"
         "-qwindowgeometry WxH+X+Y, go on to the window.\n"
         "\n"
         "Niches:\n" +
         NicheChoices() +
         "\n"
         "Your own problems, templates and pictures live in $XDG_DATA_HOME/veltrane\n"
         "(~/.local/share/veltrane when XDG_DATA_HOME is not set), laid out as the shipped ones.\n"
         "\n"
         "Exit status: 0 on success, 1 when a file cannot be read, a problem is unknown, a\n"
         "search finds nothing, the model failed or stopped before the article was complete, or\n"
         "the output cannot be written, 2 when the command line is wrong.\n";
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
  bool listTypes = false;
  bool shaped = false;  // an article option given
  std::string length;
  bool generate = false;
  std::optional<std::string> every;
  std::optional<std::string> niche;
  std::optional<std::string> subniche;
  std::optional<std::string> search;
  const auto error = [](const std::string& message) {
    return "veltrane: " + message + "\nTry \"veltrane --help\" for more information.\n";
  };

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view argument = arguments[i];
    if (!argument.starts_with("--")) {
      if (argument == "-h" || argument == "-v") {
        (argument == "-h" ? help : version) = true;
        continue;
      }
      if (!argument.starts_with('-') || argument.size() == 1) {
        return error("unexpected argument " + Quoted(argument) + ".");
      }
      // Qt's own options, such as "-style fusion", go on to Qt with their values. QApplication
      // also takes "-style=fusion" and "-stylesheet=file".
      const std::string_view name = argument.substr(0, argument.find('='));
      const bool attached = name.size() < argument.size();
      const bool takesValue =
          IsOneOf(name, kToolkitOptionsWithValue) || IsOneOf(name, kX11OptionsWithValue);
      if (attached ? name != "-style" && name != "-stylesheet"
                   : !takesValue && !IsOneOf(name, kToolkitFlags)) {
        return error("unknown option " + Quoted(argument) + ".");
      }
      options.toolkitArguments.emplace_back(argument);
      if (takesValue && !attached) {
        if (i + 1 == arguments.size()) return error(std::string(argument) + " needs a value.");
        options.toolkitArguments.emplace_back(arguments[++i]);
      }
      continue;
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
    } else if (argument == "--search") {
      mistake = value(search);
    } else if (argument == "--list-types") {
      mistake = flag(listTypes);
    } else if (argument == "--type") {
      mistake = value(options.type);
    } else if (argument == "--language" || argument == "--tone" || argument == "--length") {
      std::optional<std::string> given;
      mistake = value(given);
      if (given && argument == "--language") options.article.language = *given;
      if (given && argument == "--tone") options.article.tone = *given;
      if (given && argument == "--length") length = *given;
      shaped = true;
    } else if (argument == "--experience-file") {
      mistake = value(options.experienceFile);
      shaped = true;
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
  if (listTypes) {
    if (list || print || search || shaped || options.type) return error("--list-types goes alone.");
    options.mode = Options::Mode::ListTypes;
    return options;
  }
  if ((shaped || options.type) && !print) {
    return error("--type, --language, --tone, --length and --experience-file go with --print.");
  }
  if (!length.empty()) {
    const bool digits =
        length.size() <= 6 && length.find_first_not_of("0123456789") == std::string::npos;
    options.article.length = digits ? std::stoul(length) : 1;  // 1 is refused below
  }
  const auto tone =
      std::find_if(ArticleTones().begin(), ArticleTones().end(),
                   [&](const ToneChoice& t) { return SameName(t.name, options.article.tone); });
  if (tone == ArticleTones().end()) {
    return error("unknown tone " + Quoted(options.article.tone) +
                 "; give friendly, professional or direct.");
  }
  options.article.tone = std::string(tone->name);
  if (const std::optional<std::string> wrong = ArticleOptionsError(options.article)) {
    return error(*wrong);
  }
  if (int{list} + int{print} + int{search.has_value()} + int{generate} > 1) {
    return error("--list, --print, --search and --generate cannot be used together.");
  }
  if (search) {
    if (niche || subniche || options.problem || !options.includeFree) {
      return error(
          "--search looks through every niche: it takes no --niche, --subniche, "
          "--problem or --no-free.");
    }
    if (!options.toolkitArguments.empty()) {
      return error("unknown option " + Quoted(options.toolkitArguments.front()) + ".");
    }
    if (QueryWords(*search).empty()) return error("--search needs a word to look for.");
    options.mode = Options::Mode::Search;
    options.search = *search;
    return options;
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
  if (options.mode == Options::Mode::Print && options.all && !niche) {
    return error("--print --all needs --niche.");
  }
  if ((options.mode == Options::Mode::Generate ||
       (options.mode == Options::Mode::Print && !options.all)) &&
      (!niche || !subniche)) {
    return error(std::string(print ? "--print" : "--generate") + " needs --niche and --subniche.");
  }
  if (options.all && options.problem) {
    return error("--all writes every problem: --problem goes without it.");
  }
  if (subniche && !niche) return error("--subniche needs --niche.");
  if (subniche) options.subniche = SubnicheIndex(*options.niche, *subniche);
  if (subniche && !options.subniche) {
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
    case Options::Mode::Search: {
      ProblemIndex index(roots);
      index.Refresh();
      for (const SearchHit& hit : index.Search(options.search)) {
        outcome.out += std::to_string(hit.niche) + '\t' + std::to_string(hit.subniche) + '\t';
        outcome.out.append(hit.name()).push_back('\n');
      }
      outcome.status = outcome.out.empty() ? 1 : 0;  // as grep: nothing found, nothing said
      return outcome;
    }
    case Options::Mode::ListTypes:
      for (const ArticleType& type : ListArticleTypes(roots)) {
        outcome.out += (type.key.empty() ? "default" : type.key) + '\t' + type.name + '\n';
      }
      return outcome;
    case Options::Mode::List:
    case Options::Mode::Print:
      break;
  }

  if (options.mode == Options::Mode::Print && options.all) return WriteAll(options, roots);
  if (!options.niche) {
    outcome.out = NicheLines();
    return outcome;
  }
  if (!options.subniche) {
    outcome.out = SubnicheLines(*options.niche);
    return outcome;
  }
  const NicheEntry& niche = NicheCatalog()[static_cast<std::size_t>(*options.niche)];
  const std::string menu = std::to_string(*options.niche);
  const std::string sub = std::to_string(options.subniche.value());
  std::vector<ProblemEntry> problems;
  try {
    problems = ListProblems(roots, menu, sub);
  } catch (const Failure& failure) {
    outcome.status = 1;
    outcome.err = std::string(failure.what()) + "\n";
    return outcome;
  }
  if (options.mode == Options::Mode::List) {
    for (const ProblemEntry& problem : problems) outcome.out += problem.name + "\n";
    return outcome;
  }

  // The exact name, or else the one name that differs from it in letter case only: the
  // user's own copy of a shipped problem may be named in other letter case.
  const std::string& wanted = options.problem.value();
  auto found = std::find_if(problems.begin(), problems.end(),
                            [&wanted](const ProblemEntry& p) { return p.name == wanted; });
  const auto sameName = [&wanted](const ProblemEntry& p) { return SameName(p.name, wanted); };
  const auto caseMatches = std::count_if(problems.begin(), problems.end(), sameName);
  if (found == problems.end() && caseMatches == 1) {
    found = std::find_if(problems.begin(), problems.end(), sameName);
  }
  const std::string subnicheName(niche.subniches[static_cast<std::size_t>(*options.subniche)]);
  const std::string where = std::string(niche.name) + " / " + subnicheName;
  if (found == problems.end()) {
    outcome.status = 1;
    if (caseMatches > 1) {
      outcome.err = "veltrane: more than one problem in " + where + " is named " + Quoted(wanted) +
                    " but for letter case: " +
                    NearestNames(problems, wanted, static_cast<std::size_t>(caseMatches)) +
                    "; give the name exactly.\n";
    } else if (problems.empty()) {
      outcome.err = "veltrane: there is no problem " + Quoted(wanted) + " in " + where +
                    ", which has no problems.\n";
    } else {
      outcome.err = "veltrane: there is no problem " + Quoted(wanted) + " in " + where +
                    "; the nearest: " + NearestNames(problems, wanted, 3) +
                    ". \"veltrane --list --niche " + menu + " --subniche " + sub +
                    "\" lists them all.\n";
    }
    return outcome;
  }
  try {
    // What the window's boxes would hold, then the prompt as its box holds it.
    const std::filesystem::path path =
        ProblemFolderPath(roots.at(found->root), menu, sub) / found->fileName;
    bool hasAnyBlock = true;
    const ProblemSections read = ReadProblemFile(path, hasAnyBlock);
    if (!hasAnyBlock) {
      outcome.err = "veltrane: warning: \"" + DisplayPath(path) +
                    "\" has no [PROBLEM], [FREE] or [PAID] block: its texts are empty.\n";
    }
    const ProblemSections boxes{read.problemText, AsTextBoxHolds(read.freeText),
                                AsTextBoxHolds(read.paidText)};
    // The type by its folder or its name, as the window's chooser offers them.
    std::string typeKey;
    if (options.type) {
      const std::vector<ArticleType> types = ListArticleTypes(roots);
      const auto type = std::find_if(types.begin(), types.end(), [&](const ArticleType& t) {
        return SameName(t.key.empty() ? "default" : t.key, *options.type) ||
               SameName(t.name, *options.type);
      });
      if (type == types.end()) {
        std::string names;
        for (const ArticleType& t : types) names += "\n  " + t.name;
        throw Failure("no article type " + Quoted(*options.type) + "; the types are:" + names);
      }
      typeKey = type->key;
    }
    ArticleOptions article = options.article;
    if (options.experienceFile) {
      // As the dialog's box would hold it: without the file's last line break.
      article.experience = AsTextBoxHolds(ReadTextFile(*options.experienceFile));
      while (article.experience.ends_with('\n')) article.experience.pop_back();
    }
    outcome.out = AsTextBoxHolds(ComposePrompt(roots, options.includeFree, niche.name, subnicheName,
                                               boxes, typeKey, article));
  } catch (const Failure& failure) {
    outcome.status = 1;
    outcome.err = std::string(failure.what()) + "\n";
  }
  return outcome;
}

int WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t put = ::write(fd, text.data(), text.size());
    if (put >= 0) {
      text.remove_prefix(static_cast<std::size_t>(put));
      continue;
    }
    if (errno == EINTR) continue;
    // A descriptor left non-blocking by whoever started the program: wait until it takes more.
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      pollfd ready{fd, POLLOUT, 0};
      if (::poll(&ready, 1, -1) >= 0 || errno == EINTR) continue;
    }
    return errno;
  }
  return 0;
}

int Deliver(const Outcome& outcome, int outFd, int errFd) {
  int status = outcome.status;
  std::string err = outcome.err;
  if (const int failure = WriteAll(outFd, outcome.out); failure != 0) {
    status = 1;
    // A reader that stopped reading, such as head, wants nothing more: no news to it.
    if (failure != EPIPE) {
      err +=
          "veltrane: could not write to standard output: " + std::string(std::strerror(failure)) +
          "\n";
    }
  }
  WriteAll(errFd, err);
  return status;
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

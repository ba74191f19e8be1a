// Checks the content shipped with the program: what a writer gets straight after installing.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "content/ContentPaths.h"
#include "content/NicheCatalog.h"
#include "content/ProblemListing.h"
#include "content/ProblemReader.h"
#include "content/TextEncoding.h"
#include "content/TextFile.h"
#include "prompt/ComposePrompt.h"
#include "ui/FormLayout.h"

namespace veltrane {
namespace {
namespace fs = std::filesystem;

const fs::path kContent = VELTRANE_CONTENT_DIR;

int Distance(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
         std::abs(a.blue() - b.blue());
}

// The free line and each paid line of a problem file.
std::vector<std::string> ResourceLines(const ProblemSections& sections) {
  std::vector<std::string> lines{sections.freeText};
  const std::string& paid = sections.paidText;
  for (std::size_t from = 0; from < paid.size();) {
    const std::size_t end = std::min(paid.find("\r\n", from), paid.size());
    lines.push_back(paid.substr(from, end - from));
    from = end + 2;
  }
  return lines;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// One product however a line names it: "Kit free plan" and "Kit" are Kit, "Hugger Mugger yoga
// bolster" is Hugger Mugger.
std::string ProductKey(const std::string& name) {
  static const char* const kMakers[] = {"hugger mugger", "manduka",
                                        "purple",        "thorne",
                                        "withings",      "peloton",
                                        "muse",          "jobscan",
                                        "empower",       "sleep foundation",
                                        "sofi",          "wise",
                                        "coinbase",      "kraken",
                                        "ledger",        "banyan botanicals",
                                        "elgato",        "loop dream",
                                        "chime",         "sucuri",
                                        "otter.ai",      "google search console"};
  static const std::set<std::string> kPlanWords = {"free", "plan",  "version", "pro",
                                                   "plus", "basic", "starter", "premium"};
  const std::string lower = Lower(name);
  for (const std::string maker : kMakers) {
    if (lower == maker || lower.starts_with(maker + " ")) return maker;
  }
  std::string key = lower;
  for (std::size_t space; (space = key.rfind(' ')) != std::string::npos &&
                          kPlanWords.contains(key.substr(space + 1));) {
    key.erase(space);
  }
  return key;
}

QImage ReadJpeg(const fs::path& path) {
  QImageReader reader(QString::fromStdString(path.string()), "jpeg");
  reader.setDecideFormatFromContent(false);
  const QImage image = reader.read();
  EXPECT_FALSE(image.isNull()) << reader.errorString().toStdString();
  return image;
}

// How far from `from`, stepping by `step`, the first pixel lies that differs from `background`
// by more than `threshold`; `steps` if none does within that many.
int StepsToColor(const QImage& image, QPoint from, QPoint step, int steps, QColor background,
                 int threshold) {
  int n = 0;
  while (n < steps && Distance(image.pixelColor(from + n * step), background) <= threshold) ++n;
  return n;
}

// A tile as found in `image` along the middle row and column of its region, coming in from
// 3 pixels outside it: the first pixels of the tile colour from each side.
QRect FindTile(const QImage& image, const form::Rect& r, int scale, QColor background) {
  const QRect out((r.left - 3) * scale, (r.top - 3) * scale, (r.width + 6) * scale,
                  (r.height + 6) * scale);
  const QPoint middle = out.center();
  const auto steps = [&](QPoint from, QPoint step, int n) {
    return StepsToColor(image, from, step, n, background, 150);
  };
  const int left = steps({out.left(), middle.y()}, {1, 0}, out.width());
  const int right = steps({out.right(), middle.y()}, {-1, 0}, out.width());
  const int top = steps({middle.x(), out.top()}, {0, 1}, out.height());
  const int bottom = steps({middle.x(), out.bottom()}, {0, -1}, out.height());
  return QRect(QPoint(out.left() + left, out.top() + top),
               QPoint(out.right() - right, out.bottom() - bottom));
}

// Where a tile's own colour shows, in a tile found at any scale: in from the bottom corners,
// the middle of the bottom and side edges, and the top right corner (the key badge is top
// left). The symbol and label stay clear of these.
std::vector<QPoint> TileSamples(const QRect& tile, int scale) {
  const int left = tile.left();
  const int top = tile.top();
  const int right = tile.right() + 1;
  const int bottom = tile.bottom() + 1;
  const int midX = (left + right) / 2;
  const int midY = (top + bottom) / 2;
  const int corner = 6 * scale;
  const int edge = 4 * scale;
  return {{left + corner, bottom - corner},
          {right - corner, bottom - corner},
          {midX, bottom - edge},
          {left + edge, midY},
          {right - edge, midY},
          {right - corner, top + corner}};
}

// Both sizes of each picture: the plain one for ordinary screens, the one drawn at twice the
// size for device pixel ratio 2, which must be the same drawing.
TEST(ShippedContent, PicturesAreJpegsWithTilesUnderTheRegions) {
  for (std::size_t m = 0; m < kNicheCount; ++m) {
    SCOPED_TRACE("picture " + std::to_string(m));
    const NichePicture files = NichePictureChoices({kContent}, std::to_string(m)).front();
    ASSERT_FALSE(files.doubleSize.empty()) << "no @2x picture";
    const struct {
      fs::path path;
      int scale;
    } sizes[] = {{files.plain, 1}, {files.doubleSize, 2}};
    std::array<QImage, 2> images;
    for (const auto& [path, scale] : sizes) {
      SCOPED_TRACE(path.filename().string());
      const QImage image = ReadJpeg(path);
      const QSize size(form::kPictureWidthPx * scale, form::kPictureHeightPx * scale);
      ASSERT_EQ(image.size(), size);
      images[scale - 1] = image;

      // The background: corners and the space between the top tiles.
      const QColor background = image.pixelColor(3 * scale, 3 * scale);
      for (QPoint p : {QPoint(618, 3), QPoint(3, 666), QPoint(618, 666), QPoint(390, 60)}) {
        EXPECT_LT(Distance(image.pixelColor(p * scale), background), 30) << p.x() << "," << p.y();
      }
      // Each tile lies in its region, so a click on it picks its subniche, and is filled.
      std::array<QRectF, kSubnicheCount> tiles;  // in picture pixels
      for (std::size_t j = 0; j < kSubnicheCount; ++j) {
        const form::Rect r = form::InPixels(form::kRegions[j]);
        const QRect found = FindTile(image, r, scale, background);
        ASSERT_FALSE(found.isEmpty()) << "no tile in region " << j;
        tiles[j] = QRectF(QPointF(found.topLeft()) / scale, QSizeF(found.size()) / scale);
        EXPECT_TRUE(QRectF(r.left, r.top, r.width, r.height).contains(tiles[j]))
            << "tile " << j << " leaves its region";
        for (QPoint p : TileSamples(found, scale)) {
          EXPECT_GT(Distance(image.pixelColor(p), background), 150)
              << "tile " << j << " sample " << p.x() << "," << p.y();
        }
      }
      // The ring is symmetric about the top region's middle: the tiles share one size, and
      // each pair of twins (the top and bottom tiles their own) mirror each other on one row.
      const form::Rect top = form::InPixels(form::kRegions[0]);
      const double axis = top.left + top.width / 2.0;
      const struct { std::size_t right, left; } twins[] = {{0, 0}, {1, 7}, {2, 6}, {3, 5}, {4, 4}};
      for (const auto& [right, left] : twins) {
        SCOPED_TRACE("tiles " + std::to_string(right) + " and " + std::to_string(left));
        for (std::size_t j : {right, left}) {
          EXPECT_NEAR(tiles[j].width(), tiles[0].width(), 1.0);
          EXPECT_NEAR(tiles[j].height(), tiles[0].height(), 1.0);
        }
        EXPECT_NEAR(tiles[right].right() + tiles[left].left(), 2 * axis, 1.0);
        EXPECT_NEAR(tiles[right].top(), tiles[left].top(), 1.0);
        EXPECT_NEAR(tiles[right].bottom(), tiles[left].bottom(), 1.0);
      }
      // The hint's pill, in the band below the tiles, is centred on the same axis.
      const QPoint band(
          0, (form::InPixels(form::kRegions[4]).bottom() + form::kPictureHeightPx) / 2 * scale);
      const int width = image.width();
      const int pillLeft = StepsToColor(image, band, {1, 0}, width, background, 15);
      const int pillRight =
          width - StepsToColor(image, band + QPoint(width - 1, 0), {-1, 0}, width, background, 15);
      EXPECT_NEAR((pillLeft + pillRight) / 2.0 / scale, axis, 1.0);
    }
    // Each 2 x 2 block of the double size, averaged, matches the plain picture's pixel, so
    // neither is left from another drawing (same drawing about 5, the previous design about 37).
    const QImage& plain = images[0];
    const QImage& twice = images[1];
    long long total = 0;
    for (int y = 0; y < plain.height(); ++y) {
      for (int x = 0; x < plain.width(); ++x) {
        int sum[3] = {0, 0, 0};
        for (QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
          const QColor c = twice.pixelColor(2 * x + d.x(), 2 * y + d.y());
          sum[0] += c.red();
          sum[1] += c.green();
          sum[2] += c.blue();
        }
        total += Distance(QColor(sum[0] / 4, sum[1] / 4, sum[2] / 4), plain.pixelColor(x, y));
      }
    }
    const double mean = static_cast<double>(total) / (plain.width() * plain.height());
    EXPECT_LT(mean, 12.0) << "mean colour distance of the averaged @2x picture";
  }
}

TEST(ShippedContent, EverySubnicheHasEnoughWellFormedProblems) {
  const std::regex resourceLine(R"(^[^:\r\n]+: [^\r\n]+$)");
  for (std::size_t m = 0; m < kNicheCount; ++m) {
    for (std::size_t s = 0; s < kSubnicheCount; ++s) {
      const std::string menu = std::to_string(m);
      const std::string sub = std::to_string(s);
      SCOPED_TRACE("niches/" + menu + "/" + sub);
      const auto problems = ListProblems({kContent}, menu, sub);
      EXPECT_GE(problems.size(), m == 0 ? 10u : 6u);
      for (const ProblemEntry& problem : problems) {
        SCOPED_TRACE(problem.fileName);
        const fs::path file = ProblemFolderPath(kContent, menu, sub) / problem.fileName;
        const std::string bytes = ReadFileBytes(file);
        EXPECT_TRUE(IsValidUtf8(bytes));
        EXPECT_EQ(NormalizeLineEnds(bytes), bytes) << "a line ends without CR LF";
        EXPECT_EQ(bytes.find("\r\r"), std::string::npos);
        EXPECT_TRUE(bytes.starts_with("[PROBLEM]\r\n"));

        const ProblemSections sections = ReadProblemFile(file);
        EXPECT_FALSE(sections.problemText.empty());
        EXPECT_EQ(sections.problemText.find('\n'), std::string::npos) << "problem is one line";
        EXPECT_TRUE(std::regex_match(sections.freeText, resourceLine)) << sections.freeText;

        std::string paid = sections.paidText;
        ASSERT_TRUE(paid.ends_with("\r\n"));
        paid.erase(paid.size() - 2);
        int lines = 0;
        for (std::size_t from = 0; from <= paid.size();) {
          const std::size_t end = std::min(paid.find("\r\n", from), paid.size());
          EXPECT_TRUE(std::regex_match(paid.substr(from, end - from), resourceLine))
              << paid.substr(from, end - from);
          ++lines;
          from = end + 2;
        }
        EXPECT_TRUE(lines == 2 || lines == 3) << lines << " paid lines";
      }
    }
  }
}

// A writer publishing several articles from one niche should not recommend the same product
// again and again, nor write two articles on one topic.
TEST(ShippedContent, ProductsAreSpreadAndProblemsDistinct) {
  std::map<std::string, std::array<int, kNicheCount>> uses;  // paid product -> files per niche
  std::map<std::string, std::string> problems;               // lower-cased name -> folder
  for (std::size_t m = 0; m < kNicheCount; ++m) {
    for (std::size_t s = 0; s < kSubnicheCount; ++s) {
      const std::string menu = std::to_string(m);
      const std::string sub = std::to_string(s);
      const auto listed = ListProblems({kContent}, menu, sub);
      // Within one subniche, free or paid, a product is in at most half of the files.
      std::map<std::string, int> inSubniche;
      for (const ProblemEntry& problem : listed) {
        std::set<std::string> keys;
        for (const std::string& line : ResourceLines(
                 ReadProblemFile(ProblemFolderPath(kContent, menu, sub) / problem.fileName))) {
          keys.insert(ProductKey(line.substr(0, line.find(':'))));
        }
        for (const std::string& key : keys) ++inSubniche[key];
      }
      for (const auto& [key, files] : inSubniche) {
        EXPECT_LE(2 * files, static_cast<int>(listed.size()))
            << key << " in " << files << " of " << listed.size() << " files of " << menu << "/"
            << sub;
      }
      for (const ProblemEntry& problem : listed) {
        const auto [at, fresh] = problems.emplace(Lower(problem.name), menu + "/" + sub);
        EXPECT_TRUE(fresh) << problem.name << " in " << menu << "/" << sub << " and " << at->second;

        const std::string paid =
            ReadProblemFile(ProblemFolderPath(kContent, menu, sub) / problem.fileName).paidText;
        std::set<std::string> inFile;
        for (std::size_t from = 0; from < paid.size();) {
          const std::size_t end = std::min(paid.find("\r\n", from), paid.size());
          const std::string line = paid.substr(from, end - from);
          if (const std::size_t colon = line.find(':'); colon != std::string::npos) {
            inFile.insert(line.substr(0, colon));
          }
          from = end + 2;
        }
        for (const std::string& product : inFile) ++uses[product][m];
      }
    }
  }
  for (const auto& [product, perNiche] : uses) {
    int total = 0;
    for (std::size_t m = 0; m < kNicheCount; ++m) {
      EXPECT_LE(perNiche[m], m == 0 ? 10 : 6) << product << " in niche " << m;
      total += perNiche[m];
    }
    EXPECT_LE(total, 15) << product;
  }
}

// A line that names a lender, credit product, debt or tax relief, an investing, trading or
// crypto service or an insurer says how it charges; where money put in can fall, it says so.
TEST(ShippedContent, MoneyProductsSayWhatTheyCostAndRisk) {
  const struct {
    const char* name;
    bool canLose;
  } products[] = {
      // Lenders and loan marketplaces.
      {"Avant", false},
      {"Best Egg", false},
      {"Credible", false},
      {"Earnest", false},
      {"LendingClub", false},
      {"LendingTree", false},
      {"SoFi", false},
      {"Upgrade", false},
      {"Upstart", false},
      // Credit builders, scores, monitoring, identity protection and credit repair.
      {"Self", false},
      {"Kikoff", false},
      {"Credit Strong", false},
      {"Chime Credit Builder", false},
      {"myFICO", false},
      {"IdentityIQ", false},
      {"SmartCredit", false},
      {"Aura", false},
      {"LifeLock", false},
      {"Credit Saint", false},
      {"The Credit Pros", false},
      {"Sky Blue Credit", false},
      // Debt and tax relief.
      {"Money Management International", false},
      {"National Debt Relief", false},
      {"Freedom Debt Relief", false},
      {"Optima Tax Relief", false},
      {"Community Tax", false},
      // Crypto tax and tracking services.
      {"Koinly", false},
      {"CoinLedger", false},
      {"CoinTracker", false},
      // Brokers, robo-advisers, trading apps, exchanges, advice and property investing.
      {"Acorns", true},
      {"Betterment", true},
      {"M1 Finance", true},
      {"SoFi Invest", true},
      {"eToro", true},
      {"Webull", true},
      {"Coinbase", true},
      {"Kraken", true},
      {"Gemini", true},
      {"Empower Personal Wealth", true},
      {"Motley Fool Stock Advisor", true},
      {"Arrived", true},
      {"Roofstock", true},
      // Insurers.
      {"Steadily", false},
      {"Obie", false},
  };

  const std::regex cost(
      R"(\b(fees?|interest|APR|subscription|membership|commissions?|premiums?|charges?)\b)",
      std::regex::icase);
  const std::regex loss(R"(\b(can|could|may) lose\b|\brisk of loss\b)", std::regex::icase);
  std::map<std::string, int> named;
  for (std::size_t m = 0; m < kNicheCount; ++m) {
    for (std::size_t s = 0; s < kSubnicheCount; ++s) {
      const std::string menu = std::to_string(m);
      const std::string sub = std::to_string(s);
      for (const ProblemEntry& problem : ListProblems({kContent}, menu, sub)) {
        SCOPED_TRACE(menu + "/" + sub + "/" + problem.name);
        for (const std::string& line : ResourceLines(
                 ReadProblemFile(ProblemFolderPath(kContent, menu, sub) / problem.fileName))) {
          const std::string name = line.substr(0, line.find(':'));
          for (const auto& product : products) {
            if (name != product.name) continue;
            ++named[name];
            EXPECT_TRUE(std::regex_search(line, cost)) << "no cost: " << line;
            if (product.canLose) {
              EXPECT_TRUE(std::regex_search(line, loss)) << "no risk: " << line;
            }
          }
        }
      }
    }
  }
  // A name the tree no longer uses would leave its row checking nothing.
  for (const auto& product : products) EXPECT_TRUE(named.contains(product.name)) << product.name;
}

// The option placeholders and the values the program fills them with when the writer leaves
// them alone: with these, the two first templates read as they did before the options.
const Placeholder kOptionDefaults[] = {
    {"#LANGUAGE#", "English"},
    {"#TONE#", "friendly and encouraging, like a knowledgeable friend"},
    {"#LENGTH#", "about 1,500 to 2,000 words"},
    {"#EXPERIENCE#",
     "put this line on its own, exactly as written, for the writer to replace later with their "
     "own experience of the problem or the resources:\r\n"
     "[WRITER'S EXPERIENCE: add your own experience here, or delete this line]"},
};

// The article types beside the problem-solution templates, each a folder of templates/.
const struct {
  const char* folder;
  const char* name;
} kArticleTypes[] = {
    {"best-list", "Best-Of List"},
    {"comparison", "Head-to-Head Comparison"},
    {"review", "Product Review"},
    {"how-to", "How-To Guide"},
};

// Every templates/**/template*.txt, in a stable order.
std::vector<fs::path> TemplateFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(kContent / "templates")) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name.starts_with("template") && name.ends_with(".txt")) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(ShippedContent, TemplatesLeaveNoPlaceholderUnfilled) {
  const ProblemSections sections = ReadProblemFile(
      ProblemFolderPath(kContent, "0", "2") / ListProblems({kContent}, "0", "2").front().fileName);
  const std::vector<fs::path> files = TemplateFiles();
  EXPECT_EQ(files.size(), 2 + 2 * std::size(kArticleTypes));
  const char* const placeholders[] = {"#NICHE#", "#SUBNICHE#", "#PROBLEM#", "#FREE#", "#PAID#"};
  for (const fs::path& file : files) {
    SCOPED_TRACE(fs::relative(file, kContent).string());
    const std::string name = file.filename().string();
    ASSERT_TRUE(name == "template-free.txt" || name == "template.txt") << name;
    const bool includeFree = name == "template-free.txt";

    const std::string bytes = ReadFileBytes(file);
    EXPECT_TRUE(IsValidUtf8(bytes));
    EXPECT_EQ(NormalizeLineEnds(bytes), bytes) << "a line ends without CR LF";
    EXPECT_EQ(bytes.find("\r\r"), std::string::npos);
    const std::string text = ReadTextFile(file);
    for (const char* placeholder : placeholders) {
      const bool used = includeFree || std::string_view(placeholder) != "#FREE#";
      EXPECT_EQ(text.find(placeholder) != std::string::npos, used) << placeholder;
    }
    for (const Placeholder& option : kOptionDefaults) {
      EXPECT_NE(text.find(option.name), std::string::npos) << option.name;
    }

    std::vector<Placeholder> values =
        PromptPlaceholders(includeFree, "Internet Marketing", "SEO", sections);
    values.insert(values.end(), std::begin(kOptionDefaults), std::end(kOptionDefaults));
    const std::string prompt = FillTemplate(text, values);
    EXPECT_FALSE(std::regex_search(prompt, std::regex("#[A-Z]+#"))) << prompt;
    EXPECT_NE(prompt.find(sections.problemText), std::string::npos);
    EXPECT_NE(prompt.find("Internet Marketing"), std::string::npos);
    EXPECT_NE(prompt.find("interested in SEO."), std::string::npos);
    EXPECT_NE(prompt.find("in English"), std::string::npos);
    EXPECT_NE(prompt.find("Tone: plain language, friendly and encouraging"), std::string::npos);
    EXPECT_NE(prompt.find("Length: about 1,500 to 2,000 words for the article itself"),
              std::string::npos);
    // What a publishable article needs, asked for in the order it appears.
    std::size_t at = 0;
    for (const char* part :
         {"Search intent:", "Primary keyword:", "Related keywords:", "Affiliate disclosure:",
          "who it is not for", "[WRITER'S EXPERIENCE:", "FAQ:", "meta title", "meta description",
          "never claim that anything", "possible tax on the forgiven amount"}) {
      const std::size_t found = prompt.find(part, at);
      EXPECT_NE(found, std::string::npos) << part;
      if (found != std::string::npos) at = found;
    }
    // The disclosure comes before the article names any resource.
    EXPECT_LT(prompt.find("Affiliate disclosure:"), prompt.find("3. Introduction"));

    // The items are numbered 1, 2, 3 ..., and the rule on experience names the right one.
    const std::regex item(R"((?:^|\n)(\d+)\. ([^:\r\n]*):)");
    int expected = 1;
    int experienceItem = 0;
    for (auto it = std::sregex_iterator(prompt.begin(), prompt.end(), item);
         it != std::sregex_iterator(); ++it, ++expected) {
      EXPECT_EQ(std::stoi((*it)[1]), expected) << (*it)[2];
      if ((*it)[2] == "The writer's own experience") experienceItem = expected;
    }
    EXPECT_GE(expected, 11) << "too few items";
    EXPECT_NE(prompt.find("the only experience in the article is the writer's own, from item " +
                          std::to_string(experienceItem) + "."),
              std::string::npos)
        << "the experience is item " << experienceItem;
  }
}

// Each article type is a folder with its two templates and the name the window shows.
TEST(ShippedContent, ArticleTypeFoldersHoldTheirTemplatesAndName) {
  std::set<std::string> folders;
  std::set<std::string> rootFiles;
  for (const auto& entry : fs::directory_iterator(kContent / "templates")) {
    (entry.is_directory() ? folders : rootFiles).insert(entry.path().filename().string());
  }
  EXPECT_EQ(rootFiles, (std::set<std::string>{"template-free.txt", "template.txt"}));
  std::set<std::string> expected;
  for (const auto& type : kArticleTypes) expected.insert(type.folder);
  EXPECT_EQ(folders, expected);

  const std::regex oneLine(R"(^\S(?:[^\r\n]*\S)?(\r\n|\n)?$)");
  for (const auto& type : kArticleTypes) {
    SCOPED_TRACE(type.folder);
    const fs::path folder = kContent / "templates" / type.folder;
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
      EXPECT_TRUE(entry.is_regular_file()) << entry.path().filename();
      files.insert(entry.path().filename().string());
    }
    EXPECT_EQ(files, (std::set<std::string>{"name.txt", "template-free.txt", "template.txt"}));

    const std::string bytes = ReadFileBytes(folder / "name.txt");
    EXPECT_TRUE(IsValidUtf8(bytes));
    EXPECT_TRUE(std::regex_match(bytes, oneLine)) << "not one line: \"" << bytes << "\"";
    std::string name = bytes;
    while (name.ends_with('\n') || name.ends_with('\r')) name.pop_back();
    EXPECT_EQ(name, type.name);
  }
}

}  // namespace
}  // namespace veltrane

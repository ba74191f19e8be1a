#include "prompt/ComposePrompt.h"

#include "content/ContentPaths.h"
#include "content/Failure.h"
#include "content/TextEncoding.h"
#include "content/TextFile.h"

namespace veltrane {
namespace {

// Where the placeholders stand, found once: the prompt's size is known before it is built. The
// texts and values must outlive the plan.
class FillPlan {
 public:
  FillPlan(std::string_view text, const std::vector<Placeholder>& values) : text_(text) {
    std::uint64_t size = 0;
    std::size_t from = 0;
    for (std::size_t at = text.find('#'); at != std::string_view::npos; at = text.find('#', at)) {
      const Placeholder* found = nullptr;
      for (const Placeholder& p : values) {
        const bool longer = found == nullptr || p.name.size() > found->name.size();
        if (longer && !p.name.empty() && text.substr(at).starts_with(p.name)) found = &p;
      }
      if (found == nullptr) {
        ++at;
        continue;
      }
      hits_.push_back({at, found});
      size += (at - from) + found->value.size();
      at += found->name.size();
      from = at;
    }
    size_ = size + (text.size() - from);
  }

  std::uint64_t Size() const { return size_; }

  std::string Build() const {
    std::string result;
    result.reserve(static_cast<std::size_t>(size_));
    std::size_t from = 0;
    for (const auto& [at, placeholder] : hits_) {
      result.append(text_.substr(from, at - from));
      result.append(placeholder->value);
      from = at + placeholder->name.size();
    }
    result.append(text_.substr(from));
    return result;
  }

 private:
  std::string_view text_;
  std::vector<std::pair<std::size_t, const Placeholder*>> hits_;
  std::uint64_t size_ = 0;
};

// "2.5 GiB": one decimal, rounded up, so a size just over a limit never reads as the limit.
// Whole numbers only, so the user's locale cannot change the decimal point.
std::string ReadableSize(std::uint64_t bytes) {
  static constexpr const char* kUnits[] = {"KiB", "MiB", "GiB", "TiB"};
  if (bytes < 1024) return std::to_string(bytes) + " bytes";
  std::uint64_t unit = 1024;
  std::size_t index = 0;
  while (index + 1 < std::size(kUnits) && bytes / unit >= 1024) {
    unit *= 1024;
    ++index;
  }
  const std::uint64_t tenths = bytes / unit * 10 + (bytes % unit * 10 + unit - 1) / unit;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " " + kUnits[index];
}

}  // namespace

OptionTexts::OptionTexts(const ArticleOptions& options)
    : language(LanguageText(options)),
      tone(ToneText(options)),
      length(LengthText(options)),
      experience(ExperienceText(options)) {}

std::vector<Placeholder> PromptPlaceholders(bool includeFree, std::string_view nicheName,
                                            std::string_view subnicheName,
                                            const ProblemSections& sections,
                                            const OptionTexts* options) {
  std::vector<Placeholder> values{{"#NICHE#", nicheName},
                                  {"#SUBNICHE#", subnicheName},
                                  {"#PROBLEM#", sections.problemText},
                                  {"#PAID#", sections.paidText}};
  if (includeFree) values.push_back({"#FREE#", sections.freeText});
  if (options != nullptr) {
    values.insert(values.end(), {{"#LANGUAGE#", options->language},
                                 {"#TONE#", options->tone},
                                 {"#LENGTH#", options->length},
                                 {"#EXPERIENCE#", options->experience}});
  }
  return values;
}

std::string FillTemplate(std::string_view templateText, const std::vector<Placeholder>& values) {
  return FillPlan(templateText, values).Build();
}

std::string ComposePrompt(const ContentRoots& roots, bool includeFree, std::string_view nicheName,
                          std::string_view subnicheName, const ProblemSections& sections,
                          std::string_view typeKey, const ArticleOptions& options) {
  const std::filesystem::path templatePath = TemplatePath(roots, includeFree, typeKey);
  const std::string templateText = ReadTextFile(templatePath);
  const OptionTexts texts(options);
  const std::vector<Placeholder> values =
      PromptPlaceholders(includeFree, nicheName, subnicheName, sections, &texts);
  const FillPlan plan(templateText, values);
  if (plan.Size() > kMaxPromptBytes) {
    throw Failure("Could not compose the prompt from the template \"" + DisplayPath(templatePath) +
                  "\": it would be " + ReadableSize(plan.Size()) +
                  ", larger than the limit of 16 MiB for a prompt.");
  }
  return plan.Build();
}

}  // namespace veltrane

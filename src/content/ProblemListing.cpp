#include "content/ProblemListing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <unordered_set>

#include "content/ContentPaths.h"
#include "content/Failure.h"
#include "content/NameFold.h"
#include "content/TextEncoding.h"

namespace veltrane {
namespace {

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool HasTxtExtension(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view ext = name.substr(name.size() - 4);
  return ext[0] == '.' && AsciiLower(ext[1]) == 't' && AsciiLower(ext[2]) == 'x' &&
         AsciiLower(ext[3]) == 't';
}

// <0, 0, >0 like strcmp, on ASCII-lower-cased text with digit runs compared by value.
int NaturalCompare(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      while (i < a.size() && a[i] == '0') ++i;
      while (j < b.size() && b[j] == '0') ++j;
      std::size_t ei = i;
      std::size_t ej = j;
      while (ei < a.size() && IsDigit(a[ei])) ++ei;
      while (ej < b.size() && IsDigit(b[ej])) ++ej;
      if (ei - i != ej - j) return ei - i < ej - j ? -1 : 1;
      for (; i < ei; ++i, ++j) {
        if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
      }
      continue;
    }
    const auto ca = static_cast<unsigned char>(AsciiLower(a[i]));
    const auto cb = static_cast<unsigned char>(AsciiLower(b[j]));
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

bool IsRegularFile(const std::string& folder, const dirent& entry) {
  if (entry.d_type == DT_REG) return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
  struct stat info {};
  const std::string full = folder + '/' + entry.d_name;
  return ::stat(full.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

[[noreturn]] void FailToList(const std::string& folder, int code) {
  throw Failure("Could not read the folder \"" + DisplayPath(folder) +
                "\": " + std::strerror(code) + ".");
}

// Calls `visit` with each entry of the folder. A missing folder has none; one that is there but
// cannot be read is reported rather than shown empty, which would look as if its problems were
// gone.
template <class Visit>
void ForEachEntry(const std::string& folder, Visit&& visit) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
  if (!dir) {
    if (errno == ENOENT) return;
    FailToList(folder, errno);
  }
  for (;;) {
    errno = 0;  // readdir tells the end from an error only by it
    const dirent* entry = ::readdir(dir.get());
    if (entry == nullptr) {
      if (errno != 0) FailToList(folder, errno);
      return;
    }
    visit(*entry);
  }
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
  const int order = NaturalCompare(a, b);
  return order != 0 ? order < 0 : a < b;
}

std::vector<ProblemEntry> ListProblems(const ContentRoots& roots, std::string_view menuIndex,
                                       std::string_view subnicheIndex) {
  std::vector<ProblemEntry> problems;
  std::unordered_set<std::string> earlierNames;  // folded, of the roots already listed
  for (std::size_t root = 0; root < roots.size(); ++root) {
    if (root > 0) {
      earlierNames.clear();
      for (const ProblemEntry& e : problems) earlierNames.insert(FoldName(e.name));
    }
    const std::string folder = ProblemFolderPath(roots[root], menuIndex, subnicheIndex).native();
    ForEachEntry(folder, [&](const dirent& entry) {
      const std::string_view fileName = entry.d_name;
      if (fileName.starts_with('.') || !HasTxtExtension(fileName)) return;
      if (!IsRegularFile(folder, entry)) return;
      std::string name = DecodeName(fileName.substr(0, fileName.size() - 4));
      if (root > 0 && earlierNames.contains(FoldName(name))) return;
      problems.push_back({std::move(name), std::string(fileName), root});
    });
  }
  std::sort(problems.begin(), problems.end(), [](const ProblemEntry& a, const ProblemEntry& b) {
    const int order = NaturalCompare(a.name, b.name);
    if (order != 0) return order < 0;
    return a.fileName != b.fileName ? a.fileName < b.fileName : a.root < b.root;
  });
  return problems;
}

std::optional<std::string> FindProblemFile(const std::filesystem::path& folder,
                                           std::string_view name) {
  const std::string key = FoldName(name);
  const std::string exact = std::string(name) + ".txt";
  std::optional<std::string> found;
  ForEachEntry(folder.native(), [&](const dirent& entry) {
    const std::string_view fileName = entry.d_name;
    if (fileName.starts_with('.') || !HasTxtExtension(fileName)) return;
    if (FoldName(DecodeName(fileName.substr(0, fileName.size() - 4))) != key) return;
    if (!found || fileName == exact || (*found != exact && fileName < *found)) {
      found = std::string(fileName);
    }
  });
  return found;
}

bool OverridesShipped(const ContentRoots& roots, std::string_view menuIndex,
                      std::string_view subnicheIndex, std::string_view name) {
  if (roots.size() < 2) return false;
  const std::string key = FoldName(name);
  const std::vector<ProblemEntry> shipped =
      ListProblems(ContentRoots(roots.begin() + 1, roots.end()), menuIndex, subnicheIndex);
  return std::any_of(shipped.begin(), shipped.end(),
                     [&](const ProblemEntry& e) { return FoldName(e.name) == key; });
}

}  // namespace veltrane

#include "content/ProblemIndex.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <map>
#include <utility>

#include "content/ProblemListing.h"
#include "content/ProblemReader.h"

namespace veltrane {
namespace {

bool SameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

// The open folders of one subniche, one per root, for stat calls by file name alone: the
// kernel then walks one name rather than the whole path, which is most of a stat's cost.
class ProblemIndex::Folders {
 public:
  explicit Folders(const ProblemIndex& index) : index_(index), handles_(index.roots_.size(), -1) {}
  ~Folders() { Close(); }
  Folders(const Folders&) = delete;
  Folders& operator=(const Folders&) = delete;

  Stamp StampOf(std::size_t subniche, const Problem& problem) {
    if (subniche != subniche_) {
      Close();
      subniche_ = subniche;
    }
    int& handle = handles_[problem.root];
    if (handle == -1) {
      handle = ::open(index_.FolderPath(subniche, problem.root).c_str(),
                      O_PATH | O_DIRECTORY | O_CLOEXEC);
      if (handle < 0) handle = -2;  // tried: the folder has gone
    }
    struct stat info {};
    const int result = handle < 0 ? -1 : ::fstatat(handle, problem.fileName.c_str(), &info, 0);
    return ProblemIndex::StampOf(result, info);
  }

 private:
  void Close() {
    for (int& handle : handles_) {
      if (handle >= 0) ::close(handle);
      handle = -1;
    }
  }

  const ProblemIndex& index_;
  std::vector<int> handles_;
  std::size_t subniche_ = SIZE_MAX;
};

bool ProblemIndex::Stamp::operator==(const Stamp& other) const {
  return present == other.present && device == other.device && inode == other.inode &&
         size == other.size && SameTime(modified, other.modified) &&
         SameTime(changed, other.changed);
}

ProblemIndex::ProblemIndex(ContentRoots roots) : roots_(std::move(roots)) {
  for (std::size_t s = 0; s < subniches_.size(); ++s) {
    for (const std::filesystem::path& root : roots_) {
      folderPaths_.push_back(ProblemFolderPath(root, std::to_string(s / kSubnicheCount),
                                               std::to_string(s % kSubnicheCount))
                                 .native());
    }
  }
}

// Links followed, as the listing and the reader follow them. The change time catches what the
// modification time misses: a file renamed over another, or its mode changed.
ProblemIndex::Stamp ProblemIndex::StampOf(int result, const struct stat& info) {
  if (result != 0) return {};
  return {true, info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

std::size_t ProblemIndex::size() const {
  std::size_t count = 0;
  for (const Subniche& subniche : subniches_) count += subniche.problems.size();
  return count;
}

void ProblemIndex::Relist(std::size_t index) {
  Subniche& subniche = subniches_[index];
  const std::vector<ProblemEntry> listed = ListProblems(
      roots_, std::to_string(index / kSubnicheCount), std::to_string(index % kSubnicheCount));
  // What was read of a file still listed is kept; its own stamp says whether it is current.
  std::map<std::pair<std::size_t, std::string>, Problem> known;
  for (Problem& problem : subniche.problems) {
    if (!problem.read) --unread_;
    std::pair<std::size_t, std::string> key{problem.root, problem.fileName};
    known.emplace(std::move(key), std::move(problem));
  }
  subniche.problems.clear();
  subniche.problems.reserve(listed.size());
  for (const ProblemEntry& entry : listed) {
    const auto found = known.find({entry.root, entry.fileName});
    if (found != known.end()) {
      subniche.problems.push_back(std::move(found->second));
    } else {
      auto name = std::make_shared<SearchText>();
      name->AddField(entry.name);  // found by its name until it is read
      subniche.problems.push_back({entry.fileName, entry.root, false, {}, std::move(name)});
    }
    if (!subniche.problems.back().read) ++unread_;
  }
  subniche.listed = true;
  arenaCurrent_ = false;
}

void ProblemIndex::Read(std::size_t subniche, Problem& problem, const Stamp& stamp) {
  ProblemSections sections;
  ++filesRead_;
  try {
    sections = ReadProblemFile(FolderPath(subniche, problem.root) + '/' + problem.fileName);
  } catch (const std::exception&) {
    // Unreadable, not a regular file, over the size limit: listed, and found by its name.
  }
  auto text = std::make_shared<SearchText>();
  text->AddField(problem.text->Field(0));
  text->AddField(sections.problemText);
  text->AddField(sections.freeText);
  text->AddField(sections.paidText);
  problem.text = std::move(text);
  problem.stamp = stamp;
  if (!problem.read) {
    problem.read = true;
    --unread_;
  }
  arenaCurrent_ = false;
}

bool ProblemIndex::Refresh(std::size_t maxFiles) {
  // The stamp is taken before listing: a change while listing shows in the next call.
  for (std::size_t s = 0; s < subniches_.size(); ++s) {
    std::vector<Stamp> folders;
    folders.reserve(roots_.size());
    for (std::size_t root = 0; root < roots_.size(); ++root) {
      struct stat info {};
      folders.push_back(StampOf(::stat(FolderPath(s, root).c_str(), &info), info));
    }
    if (!subniches_[s].listed || folders != subniches_[s].folders) {
      Relist(s);
      subniches_[s].folders = std::move(folders);
    }
  }
  refreshed_ = true;

  Folders open(*this);
  std::size_t budget = maxFiles;
  for (std::size_t s = 0; s < subniches_.size() && unread_ > 0 && budget > 0; ++s) {
    for (Problem& problem : subniches_[s].problems) {
      if (problem.read) continue;
      Read(s, problem, open.StampOf(s, problem));
      if (--budget == 0) break;
    }
  }
  if (unread_ > 0) return false;

  for (std::size_t checks = std::min(budget, size()); checks > 0;) {
    if (checkSubniche_ >= subniches_.size()) checkSubniche_ = 0;
    Subniche& subniche = subniches_[checkSubniche_];
    if (checkProblem_ >= subniche.problems.size()) {
      ++checkSubniche_;
      checkProblem_ = 0;
      continue;
    }
    Problem& problem = subniche.problems[checkProblem_++];
    const Stamp now = open.StampOf(checkSubniche_, problem);
    if (now != problem.stamp) Read(checkSubniche_, problem, now);
    --checks;
  }
  return true;
}

void ProblemIndex::BuildArena() const {
  std::size_t total = 0;
  for (const Subniche& subniche : subniches_) {
    for (const Problem& problem : subniche.problems) total += problem.text->Key().size();
  }
  arena_.clear();
  arena_.reserve(total);
  slots_.clear();
  for (std::size_t s = 0; s < subniches_.size(); ++s) {
    for (const Problem& problem : subniches_[s].problems) {
      // Every key ends in a line feed, which no word holds: no match runs into the next key.
      slots_.push_back({arena_.size(), s, &problem});
      arena_.append(problem.text->Key());
    }
  }
  arenaCurrent_ = true;
}

std::vector<SearchHit> ProblemIndex::Search(std::string_view query) const {
  const std::vector<std::string> words = QueryWords(query);
  std::vector<SearchHit> byName;
  std::vector<SearchHit> byText;
  if (words.empty()) return byName;
  if (!arenaCurrent_) BuildArena();

  const auto hit = [this](const Slot& slot, std::size_t at, std::size_t length) {
    SearchHit found;
    found.niche = static_cast<int>(slot.subniche / kSubnicheCount);
    found.subniche = static_cast<int>(slot.subniche % kSubnicheCount);
    found.mine = slot.problem->root + 1 < roots_.size();
    found.field = static_cast<SearchField>(slot.problem->text->FieldAt(at));
    found.text_ = slot.problem->text;
    found.at_ = at;
    found.length_ = length;
    return found;
  };
  // Each problem in turn that holds the longest word, usually the rarest, is looked at whole.
  const std::string& rarest = *std::max_element(
      words.begin(), words.end(), [](const auto& a, const auto& b) { return a.size() < b.size(); });
  std::size_t slot = 0;
  for (std::size_t pos = FindWord(arena_, rarest); pos != std::string_view::npos;) {
    while (slot + 1 < slots_.size() && slots_[slot + 1].start <= pos) ++slot;
    const std::size_t next = slot + 1 < slots_.size() ? slots_[slot + 1].start : arena_.size();
    pos = FindWord(arena_, rarest, next);

    const std::string& key = slots_[slot].problem->text->Key();
    const std::string_view name = slots_[slot].problem->text->KeyField(0);
    const bool allInName = std::all_of(words.begin(), words.end(), [&](const std::string& word) {
      return FindWord(name, word) != std::string_view::npos;
    });
    if (allInName) {
      byName.push_back(hit(slots_[slot], FindWord(name, words.front()), words.front().size()));
      continue;
    }
    // Shown: the first word that is not in the name, where it first stands.
    std::size_t shownAt = std::string_view::npos;
    std::size_t shownLength = 0;
    bool all = true;
    for (const std::string& word : words) {
      const std::size_t at = FindWord(key, word);
      if (at == std::string_view::npos) {
        all = false;
        break;
      }
      if (shownAt == std::string_view::npos && at > name.size()) {
        shownAt = at;
        shownLength = word.size();
      }
    }
    if (all) byText.push_back(hit(slots_[slot], shownAt, shownLength));
  }
  byName.reserve(byName.size() + byText.size());
  std::move(byText.begin(), byText.end(), std::back_inserter(byName));
  return byName;
}

}  // namespace veltrane

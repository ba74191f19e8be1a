#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <array>
#include <cstddef>
#include <ctime>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "content/ContentPaths.h"
#include "content/NicheCatalog.h"
#include "content/SearchText.h"

namespace veltrane {

enum class SearchField { Name, Problem, Free, Paid };

// Characters of context on either side of a match in an excerpt.
inline constexpr std::size_t kExcerptContext = 40;

// One problem a search found. It holds on to the texts it shows, so it stays whole whatever
// happens to the index after.
class SearchHit {
 public:
  int niche = 0;
  int subniche = 0;
  bool mine = false;
  SearchField field = SearchField::Name;  // where the part Excerpt shows was found

  // As the problem list shows it.
  std::string_view name() const { return text_->Field(0); }
  // The original text around the match, on one line.
  SearchText::Excerpt Excerpt(std::size_t context = kExcerptContext) const {
    return text_->ExcerptAt(at_, at_ + length_, context);
  }

 private:
  friend class ProblemIndex;
  std::shared_ptr<const SearchText> text_;
  std::size_t at_ = 0;
  std::size_t length_ = 0;
};

// Every problem of every subniche, listed as the problem list lists them (a user's file
// replaces a shipped one of the same name), with its texts kept for searching.
//
// It is brought up to date by Refresh, in as many calls as the caller likes: a window builds it
// in slices between events, the command line in one call. Refresh checks the folders' stamps
// every time, so problems added or removed show at the next search; a file changed in place
// shows once the round of file checks reaches it. Nothing watches the disk between calls.
// Not for use by two threads at once.
class ProblemIndex {
 public:
  static constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

  // The last root is the program's content; problems of the others are the user's own.
  explicit ProblemIndex(ContentRoots roots);

  // Relists every folder whose stamp changed, then reads up to `maxFiles` problems not read
  // yet, and with what is left of `maxFiles` checks the stamps of read ones, in turn from
  // where the last call stopped, reading again those that changed. A problem that cannot be
  // read keeps its name and has no texts. True when every listed problem has been read.
  bool Refresh(std::size_t maxFiles = kAll);
  // Every listed problem has been read at least once.
  bool Ready() const { return refreshed_ && unread_ == 0; }
  std::size_t size() const;
  // Files read since the index was made, each reading counted.
  std::size_t FilesRead() const { return filesRead_; }

  // The problems that hold every word of `query` (in any of their texts), letter case and
  // accents ignored: those with all the words in their names first, then the others, each
  // group by niche, subniche and the list's order. An empty query finds nothing.
  std::vector<SearchHit> Search(std::string_view query) const;

  // Files a search while typing can afford to check for changes made in place: the shipped
  // problems in two searches, and a few thousand of the user's while a word is typed.
  static constexpr std::size_t kChecksPerSearch = 256;

 private:
  struct Stamp {
    bool present = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
    bool operator==(const Stamp& other) const;
  };
  struct Problem {
    std::string fileName;
    std::size_t root = 0;
    bool read = false;
    Stamp stamp;
    std::shared_ptr<const SearchText> text;  // fields in SearchField's order
  };
  struct Subniche {
    bool listed = false;
    std::vector<Stamp> folders;  // by root
    std::vector<Problem> problems;
  };
  // Where a problem's key starts in the arena.
  struct Slot {
    std::size_t start;
    std::size_t subniche;
    const Problem* problem;
  };
  class Folders;

  static Stamp StampOf(int result, const struct stat& info);
  const std::string& FolderPath(std::size_t subniche, std::size_t root) const {
    return folderPaths_[subniche * roots_.size() + root];
  }
  void Relist(std::size_t subniche);
  void Read(std::size_t subniche, Problem& problem, const Stamp& stamp);
  void BuildArena() const;

  ContentRoots roots_;
  std::vector<std::string> folderPaths_;  // by subniche, then root
  std::array<Subniche, kNicheCount * kSubnicheCount> subniches_;
  bool refreshed_ = false;
  std::size_t unread_ = 0;
  std::size_t filesRead_ = 0;
  // Where the round of file checks goes on.
  std::size_t checkSubniche_ = 0;
  std::size_t checkProblem_ = 0;
  // Every key one after another, so that a word is looked for in one pass over memory; made
  // again by the first search after a change.
  mutable std::string arena_;
  mutable std::vector<Slot> slots_;
  mutable bool arenaCurrent_ = false;
};

}  // namespace veltrane

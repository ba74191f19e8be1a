#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Texts kept for searching: each added field as it is and folded as SearchKey folds it, with
// enough of a map between the two to show the original text around a match in the key. The
// key is folded one character (with its combining marks) at a time, ASCII without a library
// call, which gives SearchKey's result for UTF-8 text at a fraction of its cost.
class SearchText {
 public:
  // Appends a field. Fields are kept apart by a line feed in both the text and the key, so no
  // word of a query, which holds no white space, matches across two fields.
  void AddField(std::string_view field);

  std::size_t FieldCount() const { return keyStarts_.size(); }
  // Field `index` as it was added.
  std::string_view Field(std::size_t index) const;
  const std::string& Key() const { return key_; }
  // Where field `index` lies in the key, its line feed left out.
  std::string_view KeyField(std::size_t index) const;
  // The field of the key holding byte `keyOffset`.
  std::size_t FieldAt(std::size_t keyOffset) const;

  // Up to `context` characters of the original field on either side of the key's bytes
  // [begin, end), on one line: line breaks and runs of white space become one space, and
  // "…" marks where the field goes on.
  struct Excerpt {
    std::string text;
    std::size_t matchStart = 0;  // the matched part, in bytes of `text`
    std::size_t matchLength = 0;
  };
  Excerpt ExcerptAt(std::size_t keyBegin, std::size_t keyEnd, std::size_t context) const;

 private:
  // A stretch of text whose fold differs in length from it, or is not plain ASCII; between
  // such pieces key and text bytes correspond one to one.
  struct Piece {
    std::uint32_t keyBegin, keyEnd, textBegin, textEnd;
  };
  // The text offset that key offset `offset` comes from; inside a piece, the piece's start
  // (or end, when `roundUp`).
  std::size_t TextOffset(std::size_t offset, bool roundUp) const;

  std::string text_;
  std::string key_;
  std::vector<Piece> pieces_;
  std::vector<std::uint32_t> textStarts_;
  std::vector<std::uint32_t> keyStarts_;
};

// A query as words to look for: folded as SearchKey folds it and split at white space.
std::vector<std::string> QueryWords(std::string_view query);

// The first place of `word` in `text` at or after `from`, or npos.
std::size_t FindWord(std::string_view text, std::string_view word, std::size_t from = 0);

}  // namespace veltrane

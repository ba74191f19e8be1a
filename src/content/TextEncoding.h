#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace veltrane {

bool IsValidUtf8(std::string_view bytes);

// Content files come from anywhere: bytes that are valid UTF-8 are taken as UTF-8 (a leading
// byte-order mark dropped); UTF-16 with its byte-order mark, either byte order, is converted
// (the mark dropped); anything else is read as Windows-1252, one byte one character.
std::string DecodeText(std::string_view bytes);

// As DecodeText, but keeps a leading byte-order mark: for file names, which are not texts.
std::string DecodeName(std::string_view bytes);

// Byte offset just past the first `count` characters of `text` starting at `from`, or the
// text's size when it holds fewer. A character is a lead byte with its continuation bytes,
// so a valid UTF-8 sequence is never cut in half; in invalid input a stray continuation byte
// goes with the character before it.
std::size_t SkipCharacters(std::string_view text, std::size_t from, std::size_t count);

// A path as the user should read it in a message.
std::string DisplayPath(const std::filesystem::path& path);

}  // namespace veltrane

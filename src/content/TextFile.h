#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace veltrane {

// Content files are small; anything larger is not content and is refused unread.
inline constexpr std::uintmax_t kMaxTextFileBytes = 16u * 1024u * 1024u;

// The file's bytes, unchanged. Refuses, without blocking, anything that is not a regular file
// (a FIFO, a device, a folder) and files over kMaxTextFileBytes. Throws Failure naming the path.
std::string ReadFileBytes(const std::filesystem::path& path);

// The whole file as UTF-8 text (see DecodeText). Throws Failure naming the path.
std::string ReadTextFile(const std::filesystem::path& path);

// The longest file name Linux file systems take, in bytes.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// Whether a file name is one WriteFileAtomically gives its temporary files: hidden, never
// ".txt", kSaveTemporaryPrefix followed by six letters or digits. Its length does not depend on the
// file saved, so every name up to kMaxFileNameBytes saves.
inline constexpr std::string_view kSaveTemporaryPrefix = ".veltrane-save-";
bool IsSaveTemporaryName(std::string_view fileName);

// Writes the file whole or not at all: into a hidden temporary file beside it, flushed to the
// disk, then renamed over it, so a crash never leaves half a file. Creates the folders on the
// way. A new file gets the mode the umask gives; a file replaced keeps its mode. Where `path`
// is a link, what it finally points to is written (made when missing, in a folder that must
// exist) and the link stays. Temporary files of saves killed over an hour ago in that folder are
// removed. Throws Failure naming the path.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace veltrane

#pragma once

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

// Writes the file whole or not at all: into a hidden temporary file beside it, flushed to the
// disk, then renamed over it, so a crash never leaves half a file. Creates the folders on the
// way. Throws Failure naming the path.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace veltrane

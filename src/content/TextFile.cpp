#include "content/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "content/Failure.h"
#include "content/TextEncoding.h"

namespace veltrane {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& reason) {
  throw Failure("Could not read the file \"" + DisplayPath(path) + "\": " + reason + ".");
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::string ReadFileBytes(const std::filesystem::path& path) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below anyway.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) Fail(path, std::strerror(errno));

  struct stat info {};
  if (::fstat(file.get(), &info) != 0) Fail(path, std::strerror(errno));
  if (S_ISDIR(info.st_mode)) Fail(path, "it is a folder, not a file");
  if (!S_ISREG(info.st_mode)) Fail(path, "it is not a regular file");
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxTextFileBytes) {
    Fail(path, "it is larger than the limit of 16 MiB for a content file");
  }

  std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::read(file.get(), bytes.data() + done, bytes.size() - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail(path, std::strerror(errno));
    }
    if (got == 0) break;  // the file shrank since fstat: take what is there
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

std::string ReadTextFile(const std::filesystem::path& path) {
  return DecodeText(ReadFileBytes(path));
}

}  // namespace veltrane

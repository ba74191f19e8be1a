#include "content/TextFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <random>
#include <utility>

#include "content/Failure.h"
#include "content/TextEncoding.h"

namespace veltrane {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& reason) {
  throw Failure("Could not read the file \"" + DisplayPath(path) + "\": " + reason + ".");
}

[[noreturn]] void FailToSave(const std::filesystem::path& path, const std::string& reason) {
  throw Failure("Could not save the file \"" + DisplayPath(path) + "\": " + reason + ".");
}

constexpr std::string_view kTemporaryLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTemporaryRandomLetters = 6;
static_assert(kSaveTemporaryPrefix.size() + kTemporaryRandomLetters <= kMaxFileNameBytes);

std::string NewTemporaryName() {
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kTemporaryLetters.size() - 1);
  std::string name(kSaveTemporaryPrefix);
  for (std::size_t i = 0; i < kTemporaryRandomLetters; ++i) name += kTemporaryLetters[pick(random)];
  return name;
}

// The file a path names once its links are followed to the end, even when the last one points
// to nothing yet. A relative link is relative to the folder the link lies in.
std::filesystem::path FollowLinks(const std::filesystem::path& path) {
  std::filesystem::path at = path;
  for (int hops = 0;; ++hops) {
    struct stat info {};
    if (::lstat(at.c_str(), &info) != 0) {
      if (errno == ENOENT) return at;
      FailToSave(path, std::strerror(errno));
    }
    if (!S_ISLNK(info.st_mode)) return at;
    if (hops == 40) FailToSave(path, std::strerror(ELOOP));  // as many as the kernel follows
    std::error_code error;
    const std::filesystem::path next = std::filesystem::read_symlink(at, error);
    if (error) FailToSave(path, error.message());
    at = next.is_absolute() ? next : at.parent_path() / next;
  }
}

// Temporary files a save left when it was killed before its rename. Those younger than an hour
// may belong to a save going on in another window.
void RemoveStaleTemporaries(const std::filesystem::path& folder) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
  if (!dir) return;  // the save itself reports what is wrong with the folder
  const std::time_t hourAgo = std::time(nullptr) - 60 * 60;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (!IsSaveTemporaryName(entry->d_name)) continue;
    struct stat info {};
    if (::fstatat(::dirfd(dir.get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(info.st_mode) && info.st_mtime < hourAgo) {
      ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
    }
  }
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
  // Closes now, for the error that only close may report.
  int Close() { return ::close(std::exchange(fd_, -1)); }

 private:
  int fd_;
};

}  // namespace

bool IsSaveTemporaryName(std::string_view fileName) {
  if (fileName.size() != kSaveTemporaryPrefix.size() + kTemporaryRandomLetters ||
      !fileName.starts_with(kSaveTemporaryPrefix)) {
    return false;
  }
  return fileName.find_first_not_of(kTemporaryLetters, kSaveTemporaryPrefix.size()) ==
         std::string_view::npos;
}

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

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  if (error) FailToSave(path, error.message());

  // A link stays a link: what it points to is written, beside which the temporary file must lie
  // for the rename to replace it.
  const std::filesystem::path target = FollowLinks(path);
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  struct stat replaced {};
  const bool replacing = ::stat(target.c_str(), &replaced) == 0;
  if (replacing && S_ISDIR(replaced.st_mode)) FailToSave(path, "it is a folder, not a file");
  if (replacing && !S_ISREG(replaced.st_mode)) FailToSave(path, "it is not a regular file");

  RemoveStaleTemporaries(folder);

  // Not named after the file: a name of any length that fits a folder leaves room for this one.
  std::string temporary;
  int created = -1;
  for (int attempt = 0; created < 0 && attempt < 100; ++attempt) {
    temporary = (folder / NewTemporaryName()).native();
    // A new file gets the mode the user's umask (or the folder's default ACL) gives.
    created = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (created >= 0 || errno == EEXIST) continue;
    if (errno == ENOENT && target != path) {
      FailToSave(path,
                 "it is a link to \"" + DisplayPath(target) + "\", whose folder does not exist");
    }
    FailToSave(path, std::strerror(errno));
  }
  if (created < 0) FailToSave(path, std::strerror(EEXIST));
  FileDescriptor file(created);
  const auto failAndRemove = [&](int code) {
    ::unlink(temporary.c_str());
    FailToSave(path, std::strerror(code));
  };
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t put = ::write(file.get(), bytes.data() + done, bytes.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      failAndRemove(errno);
    }
    done += static_cast<std::size_t>(put);
  }
  // A file replaced keeps its mode.
  if (replacing && ::fchmod(file.get(), replaced.st_mode & 07777) != 0) failAndRemove(errno);
  if (::fsync(file.get()) != 0) failAndRemove(errno);
  if (file.Close() != 0) failAndRemove(errno);
  if (::rename(temporary.c_str(), target.c_str()) != 0) failAndRemove(errno);
  // The rename itself reaches the disk with the folder.
  FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() >= 0) ::fsync(directory.get());
}

}  // namespace veltrane

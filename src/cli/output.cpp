#include "cli/output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/files/atomic_file.h"

namespace serialix {

namespace {

constexpr int kPipeBytes = 1 << 20;  // the largest an unprivileged process gets by default

// Writes everything to a descriptor, resuming after signals and partial writes.
void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EPIPE) throw OutputClosed{};
      throw std::system_error(errno, std::generic_category());
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

class DescriptorOutput : public Output {
 public:
  DescriptorOutput(int fd, bool owned) : fd_(fd), owned_(owned) {}
  ~DescriptorOutput() override {
    if (owned_) ::close(fd_);
  }
  void write(std::string_view bytes) override { WriteAll(fd_, bytes); }
  void commit() override {
    if (owned_ && ::close(fd_) != 0) {
      owned_ = false;
      throw std::system_error(errno, std::generic_category());
    }
    owned_ = false;
  }

 private:
  int fd_;
  bool owned_;
};

// Holds the bytes and replaces the file in one step at commit, so a failure leaves the old
// file as it was.
class ReplacingOutput : public Output {
 public:
  explicit ReplacingOutput(std::filesystem::path path) : path_(std::move(path)) {}
  void write(std::string_view bytes) override { bytes_.append(bytes); }
  void commit() override {
    std::string reason;
    if (!WriteFileAtomically(path_, bytes_, &reason)) {
      throw std::system_error(std::make_error_code(std::errc::io_error), reason);
    }
  }

 private:
  std::filesystem::path path_;
  std::string bytes_;
};

}  // namespace

std::unique_ptr<Output> StandardOutput() {
  // A bigger pipe buffer means fewer switches between this program and its reader; where the
  // system refuses, the default buffer does.
  struct stat st {};
  if (::fstat(STDOUT_FILENO, &st) == 0 && S_ISFIFO(st.st_mode)) ::fcntl(STDOUT_FILENO, F_SETPIPE_SZ, kPipeBytes);
  return std::make_unique<DescriptorOutput>(STDOUT_FILENO, false);
}

std::unique_ptr<Output> FileOutput(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) throw std::system_error(errno, std::generic_category());
    return std::make_unique<DescriptorOutput>(fd, true);
  }
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    throw std::system_error(std::make_error_code(std::errc::invalid_argument),
                            "not a regular file, named pipe or character device");
  }
  return std::make_unique<ReplacingOutput>(path);
}

}  // namespace serialix

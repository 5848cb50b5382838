#include "cli/output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/files/replaced_file.h"

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

// The program's one file replacer; a reader of a named pipe that goes away ends the program
// quietly, as on standard output.
class ReplacedFileOutput : public Output {
 public:
  explicit ReplacedFileOutput(const std::filesystem::path& path) : file_(path) {}
  void write(std::string_view bytes) override {
    try {
      file_.write(bytes);
    } catch (const std::system_error& e) {
      if (e.code() == std::errc::broken_pipe) throw OutputClosed{};
      throw;
    }
  }
  void commit() override { file_.commit(); }

 private:
  ReplacedFile file_;
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
  return std::make_unique<ReplacedFileOutput>(path);
}

}  // namespace serialix

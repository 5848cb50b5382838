#pragma once

#include <filesystem>
#include <string>

namespace serialix::testing {

// A fresh, empty folder under the system's temporary folder for one test; removed with
// everything in it when the test ends.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The bytes a file holds, or "<missing>" when it cannot be read (so an empty file and no file differ).
std::string FileBytes(const std::filesystem::path& path);

// Writes a file with exactly these bytes.
void PutFileBytes(const std::filesystem::path& path, const std::string& bytes);

// Binds a Unix socket at path, so a socket stands there; the descriptor (close it when done),
// or -1 when the path is too long or the bind fails.
int BindUnixSocket(const std::filesystem::path& path);

}  // namespace serialix::testing

#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "platform/files/replaced_file.h"

namespace serialix {

// Writes into a ReplacedFile on a helper thread, so the caller makes the next bytes while the
// previous ones are being written: two buffers, one filled here, one written there. The bytes
// reach the file in the order given.
class BackgroundWriter {
 public:
  explicit BackgroundWriter(ReplacedFile& file, std::size_t bufferBytes = std::size_t{1} << 20);
  // Waits for the write under way; bytes not yet handed over are dropped (the caller cancelled
  // or failed, and the file is not committed).
  ~BackgroundWriter();
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;

  // Copies the bytes; throws the std::system_error of an earlier write that failed.
  void write(std::string_view bytes);
  // Writes everything given so far and waits for it; throws like write.
  void finish();

 private:
  void handOver();
  void waitUntilWritten(std::unique_lock<std::mutex>& lock);
  void run();

  ReplacedFile& file_;
  const std::size_t bufferBytes_;
  std::string filling_, writing_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool pending_ = false;  // writing_ waits for the helper or is being written
  bool stop_ = false;
  std::exception_ptr error_;
  std::thread helper_;  // last: starts once everything above exists
};

}  // namespace serialix

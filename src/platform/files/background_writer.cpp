#include "platform/files/background_writer.h"

namespace serialix {

BackgroundWriter::BackgroundWriter(ReplacedFile& file, std::size_t bufferBytes)
    : file_(file), bufferBytes_(bufferBytes), helper_([this] { run(); }) {
  filling_.reserve(bufferBytes_ * 2);
}

BackgroundWriter::~BackgroundWriter() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  helper_.join();
}

void BackgroundWriter::write(std::string_view bytes) {
  filling_.append(bytes);
  if (filling_.size() >= bufferBytes_) handOver();
}

void BackgroundWriter::finish() {
  if (!filling_.empty()) handOver();
  std::unique_lock lock(mutex_);
  waitUntilWritten(lock);
}

void BackgroundWriter::handOver() {
  {
    std::unique_lock lock(mutex_);
    waitUntilWritten(lock);
    filling_.swap(writing_);
    pending_ = true;
  }
  changed_.notify_all();
  filling_.clear();
}

void BackgroundWriter::waitUntilWritten(std::unique_lock<std::mutex>& lock) {
  changed_.wait(lock, [this] { return !pending_; });
  if (error_) std::rethrow_exception(error_);
}

void BackgroundWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return pending_ || stop_; });
    if (stop_) return;  // cancelled or failed: what waits is not needed
    lock.unlock();
    std::exception_ptr error;
    try {
      file_.write(writing_);
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    error_ = error;
    pending_ = false;
    changed_.notify_all();
    if (error_) return;
  }
}

}  // namespace serialix

// Splits a fuzz input into strings the way libFuzzer's FuzzedDataProvider does for
// ConsumeRandomLengthString and ConsumeRemainingBytesAsString, so the checked-in corpus keeps its
// meaning, without needing LLVM's header to build the corpus replay.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : next_(data), left_(size) {}

  // Up to maxLength characters. "\\" stands for one backslash; a backslash followed by any other
  // byte ends the string, and both bytes are used up. A lone backslash at the very end is kept.
  std::string takeString(std::size_t maxLength) {
    std::string text;
    while (text.size() < maxLength && left_ > 0) {
      char c = take();
      if (c == '\\' && left_ > 0) {
        c = take();
        if (c != '\\') break;
      }
      text += c;
    }
    return text;
  }

  std::string takeRest() {
    std::string rest(reinterpret_cast<const char*>(next_), left_);
    next_ += left_;
    left_ = 0;
    return rest;
  }

 private:
  char take() {
    --left_;
    return static_cast<char>(*next_++);
  }

  const std::uint8_t* next_;
  std::size_t left_;
};

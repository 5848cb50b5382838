// Patterns come from the command line and from files: reading one must never crash, and an
// accepted pattern's count, first and last address must agree with its expansion, also after
// writing it back as text and reading that.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/pattern.h"

namespace {

using namespace serialix;

void Check(bool property) {
  if (!property) std::abort();
}

// The lines of a small pattern's expansion, or nothing for a large one.
void CheckExpansion(const Pattern& pattern) {
  const BigUnsigned count = PatternCount(pattern);
  const std::string first = FirstAddress(pattern), last = LastAddress(pattern);
  if (count > BigUnsigned(2000)) return;
  std::string text;
  WritePatternLines(pattern, [&](std::string_view chunk) { return text.append(chunk), true; });
  std::uint64_t lines = 0;
  for (const char c : text) lines += c == '\n';
  Check(BigUnsigned(lines) == count);
  Check(text.substr(0, text.find('\n')) == first);
  text.pop_back();  // the last line's end
  const std::size_t lastStart = text.rfind('\n');
  Check(text.substr(lastStart == std::string::npos ? 0 : lastStart + 1) == last);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = ReadPattern(text);
  const auto* pattern = std::get_if<Pattern>(&read);
  if (pattern == nullptr) {
    const auto& error = std::get<PatternError>(read);
    Check(error.column >= 1 && error.column <= size + 1 && !error.message.empty());
    return 0;
  }
  CheckExpansion(*pattern);
  const auto again = ReadPattern(WritePattern(*pattern));
  Check(std::holds_alternative<Pattern>(again));
  const Pattern& rewritten = std::get<Pattern>(again);
  Check(PatternCount(rewritten) == PatternCount(*pattern));
  Check(FirstAddress(rewritten) == FirstAddress(*pattern) && LastAddress(rewritten) == LastAddress(*pattern));
  return 0;
}

// Fuzz target for the profile (INI) reader and writer.
//
// Build and run with clang (a single process is enough), configured with
//   -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCMAKE_BUILD_TYPE=RelWithDebInfo
//   -DSERIALIX_BUILD_FUZZ=ON -DSERIALIX_BUILD_TESTS=OFF -DSERIALIX_BUILD_BENCH=OFF
// then
//   cmake --build build-fuzz --target profile_fuzz
//   build-fuzz/fuzz/profile_fuzz build-fuzz/corpus fuzz/corpus/profile_fuzz -max_total_time=300
// Any compiler builds profile_fuzz_replay, which ctest runs over fuzz/corpus/profile_fuzz.
//
// The input is split into a section name, a key, a value and the file bytes.
// Besides crashes and sanitizer reports it checks the properties the program
// relies on: an untouched file is written back byte for byte, a written value
// reads back (after the file is parsed again), and a deleted section is gone.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "platform/files/codepage932.h"
#include "platform/files/profile_file.h"

namespace {

using serialix::Cp932ToUtf8;
using serialix::ProfileFile;
using serialix::Utf8ToCp932;

// Names the broken property, then stops so libFuzzer keeps the input.
void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "profile_fuzz: broken property: %s\n", what);
  std::abort();
}

// What a name or value becomes once stored: line breaks as spaces, characters
// the code page lacks as "?".
std::string Stored(std::string_view text) {
  std::string clean(text);
  for (char& c : clean) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return Cp932ToUtf8(Utf8ToCp932(clean));
}

std::string_view Trim(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Names that a header or key line can carry back: no "]" in a section, no "="
// in a key, and no key line that would look like a header or a comment.
bool Storable(std::string_view section, std::string_view key) {
  if (section.find(']') != std::string_view::npos) return false;
  const std::string_view trimmedKey = Trim(key);
  if (key.find('=') != std::string_view::npos) return false;
  return trimmedKey.empty() || (trimmedKey.front() != '[' && trimmedKey.front() != ';');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string section = input.takeString(32);
  const std::string key = input.takeString(32);
  const std::string value = input.takeString(64);
  const std::string bytes = input.takeRest();

  ProfileFile file = ProfileFile::parse(bytes);
  Check(file.bytes() == bytes, "file.bytes() == bytes");
  const std::string before = file.read(section, key);
  Check(before == Trim(before), "before == Trim(before)");

  file.write(section, key, value);
  const std::string storedSection = Stored(section);
  const std::string storedKey = Stored(key);
  if (Storable(storedSection, storedKey)) {
    const std::string expected(Trim(Stored(value)));
    Check(file.read(section, key) == expected, "file.read(section, key) == expected");
    ProfileFile again = ProfileFile::parse(file.bytes());
    Check(again.read(section, key) == expected, "again.read(section, key) == expected");
    Check(again.bytes() == file.bytes(), "again.bytes() == file.bytes()");

    again.deleteSection(section);
    Check(again.read(section, key).empty(), "again.read(section, key).empty()");
    Check(ProfileFile::parse(again.bytes()).read(section, key).empty(),
          "ProfileFile::parse(again.bytes()).read(section, key).empty()");
  }
  return 0;
}

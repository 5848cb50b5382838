// The pattern reader against curl itself: random patterns in curl's syntax, run through curl's
// globbing (addresses of a closed local port, so nothing is fetched) and through ours.
#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "core/pattern.h"
#include "run_program.h"

namespace serialix {
namespace {

using testing::Quoted;
using testing::RunShell;

constexpr char kPrefix[] = "http://127.0.0.1:9/";

// Mostly well-formed pieces, some of them broken the ways people break them.
std::string RandomPattern(std::mt19937& random) {
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  auto one = [&](const std::vector<std::string>& options) { return options[pick(options.size())]; };
  std::string pattern;
  auto add = [&pattern](std::initializer_list<std::string> pieces) {
    for (const auto& piece : pieces) pattern += piece;
  };
  for (std::size_t n = 1 + pick(4); n > 0; --n) {
    switch (pick(6)) {
      case 0: add({one({"a", "x-", "_", "~", "7", "/", "\\[", "\\]", "\\{", "\\}", "[]", "\\", "[::1]"})}); break;
      case 1:
        add({"[", one({"", "0", "00"}), std::to_string(pick(13)), "-", one({"", "", " "}), std::to_string(pick(13)),
             one({"", "", "", ":1", ":2", ": 3", ":+2", ":0", ":-1", ":20", ":x"}), one({"]", "]", "]", ""})});
        break;
      case 2:
        add({"[", one({"a", "c", "X", "Z", "z", "y"}), "-", one({"a", "e", "z", "Z", "]", "[", "5", "-", "}"}),
             one({"", "", ":2", ":3", ": 2", ":0", ":30"}), one({"]", "]", "]", ""})});
        break;
      case 3:
        add({"{", one({"p", "", "q\\,r", "\\}", "s"})});
        for (std::size_t k = pick(3); k > 0; --k) add({",", one({"t", "", "uv", "\\\\", "w"})});
        add({one({"}", "}", "}", "", "]", "[1-2]}"})});
        break;
      case 4: add({one({"[1-2", "[#1]", "[5-5]", "[a-a]", "[1-3@n]", "[3-1]", "}", "]", "[-]", "[ 1-2]"})}); break;
      default: add({one({"b", "-"})});  // no "." segments: curl would resolve them
    }
  }
  return pattern;
}

// Descending ranges, lockstep groups and repeats are ours; curl refuses them.
bool UsesExtension(const Pattern& pattern) {
  for (const auto& part : pattern.parts) {
    const auto* range = std::get_if<PatternRange>(&part);
    if (std::holds_alternative<PatternRepeat>(part) ||
        (range && (range->first > range->last || !range->group.empty()))) {
      return true;
    }
  }
  return false;
}

TEST(CurlParity, SameAddressesAndSameRefusals) {
  if (RunShell("command -v curl").status != 0) GTEST_SKIP() << "curl is not installed";
  std::mt19937 random(7);
  const std::string curl = "curl -s --noproxy '*' -o /dev/null -w '%{url_effective}\\n'";
  std::string script, batch;
  std::string expected;
  int accepted = 0, refused = 0;
  for (int i = 0; i < 400; ++i) {
    const std::string pattern = RandomPattern(random);
    const auto read = ReadPattern(pattern);
    const auto* p = std::get_if<Pattern>(&read);
    if (!p) {  // curl must refuse it too
      if (refused == 40) continue;
      script += curl + " " + Quoted(kPrefix + pattern) + " >/dev/null; [ $? = 3 ] || echo " +
                Quoted("curl accepts " + pattern) + " >&2\n";
      ++refused;
    } else if (!UsesExtension(*p) && PatternCount(*p) < BigUnsigned(100)) {
      batch += ' ';
      batch += Quoted(kPrefix + pattern);
      WritePatternLines(*p, [&](std::string_view chunk) {
        for (std::size_t at = 0, end; (end = chunk.find('\n', at)) != std::string_view::npos; at = end + 1) {
          expected += kPrefix + std::string(chunk.substr(at, end - at + 1));
        }
        return true;
      });
      ++accepted;
    }
  }
  // The accepted ones in one curl run: each address is printed even though none connects.
  const auto result = RunShell(script + curl + batch + "\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, expected);
  EXPECT_GT(accepted, 80);
  EXPECT_EQ(refused, 40);
}

}  // namespace
}  // namespace serialix

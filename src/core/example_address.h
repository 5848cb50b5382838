#pragma once

// Turning one example address into the window's template: the address is cut into the fourteen
// segments so that the template's first address is the example itself, with up to three of its
// digit runs as counters G, J, L from left to right.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "address_template.h"
#include "fill_style.h"

namespace serialix {

// A run of ASCII digits after the host.
struct DigitRun {
  std::size_t position = 0;  // byte offset in ExampleAddress::text
  std::string digits;
  std::optional<std::int32_t> value;  // none above the signed 32-bit range
  bool checkable = false;             // at most 9 digits: can become a counter
};

// Why a pasted text is not one address.
enum class ExampleAddressError {
  Empty,         // nothing but blanks
  SeveralLines,  // a line break inside
  NotHttp,       // does not begin with http:// or https://
  NoHost,        // nothing between "://" and the path
  Blank,         // a blank or a character that may not stand in an address inside
  NotUtf8,       // bytes that are not UTF-8 text
};

struct ExampleAddress {
  std::string text;                        // the pasted text without surrounding blanks
  std::size_t schemeLength = 0;            // of "http://" or "https://" in the pasted letter case
  bool https = false;                      // the scheme is https, in any letter case
  std::size_t hostEnd = 0;                 // where the host (with user and port) ends
  std::vector<DigitRun> runs;              // in address order
  std::vector<std::size_t> defaultChoice;  // the rightmost checkable run, if any
};

// Reads a pasted text, UTF-8: one http:// or https:// address (any letter case, blanks around it
// ignored).
std::variant<ExampleAddress, ExampleAddressError> ReadExampleAddress(std::string_view pasted);

// The largest number of runs that become counters.
inline constexpr std::size_t kMaxChosenRuns = 3;

// Something of the example the template cannot keep.
struct ProposalNote {
  enum class Kind {
    SchemeReplaced,  // `text` is the pasted scheme in capitals ("HTTP://", "Https://"); the template
                     // writes it in small letters
    PaddingLimited,  // `text` is the run; `zeros` of its leading zeros stay as fixed text, so the
                     // run's width holds only up to `upTo`
  };
  Kind kind = Kind::SchemeReplaced;
  std::string text;
  std::string zeros;
  std::int64_t upTo = 0;
};

// Which segments are switched on (C to N); A and B have no switch and are always included.
struct SegmentSwitches {
  bool C = false, D = false, E = false, F = false, G = false, H = false;
  bool I = false, J = false, K = false, L = false, M = false, N = false;

  // Whether a segment is included; true for A and B.
  bool operator[](char letter) const;
  // The switch of a switchable segment (C to N).
  bool& operator[](char letter);
};

// Style and texts of a counter. from and to are the same text.
struct CounterSetting {
  FillStyle style = FillStyle::Plain;
  std::string from, to;
};

// The template that makes the example its first address, as a user could set it by hand: the
// switches, the texts of B, F, I, K and N (empty where unused, except I, which repeats F while the
// text link stays in force), the counters and the links. A counter's setting counts only while
// its switch is on (J's only while the counter link is released).
struct TemplateProposal : TextSegments {
  bool https = false;  // segment A is "https://"
  SegmentSwitches on;
  CounterSetting G, J, L;
  bool textLink = true;     // I follows F; then I == F
  bool counterLink = true;  // J follows G
  char lastCounter = 0;     // 'G', 'J', 'L', or 0 without counters
  std::vector<ProposalNote> notes;

  // G, J or L; nullptr for any other letter.
  const CounterSetting* counter(char letter) const;
  CounterSetting* counter(char letter);
};

// The template for the chosen runs (indices into example.runs, any order, at most
// kMaxChosenRuns, each checkable); nothing for any other choice.
std::optional<TemplateProposal> ProposeTemplate(const ExampleAddress& example, std::span<const std::size_t> chosen);

// What the window's controls hand to ReadTemplate once the proposal is applied.
TemplateInput ProposedTemplateInput(const TemplateProposal& proposal);

}  // namespace serialix

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
    SchemeReplaced,  // `text` is the pasted scheme ("https://", "HTTP://"); the template has "http://"
    PaddingLimited,  // `text` is the run; `zeros` of its leading zeros stay as fixed text, so the
                     // run's width holds only up to `upTo`
  };
  Kind kind = Kind::SchemeReplaced;
  std::string text;
  std::string zeros;
  std::int64_t upTo = 0;
};

struct SegmentSwitches {  // CheckC .. CheckN
  bool C = false, D = false, E = false, F = false, G = false, H = false;
  bool I = false, J = false, K = false, L = false, M = false, N = false;
};

// Style and texts of a counter; applied only to a counter whose switch is on (for J only while
// the counter link is released). from and to are the same text.
struct CounterSetting {
  FillStyle style = FillStyle::Plain;
  std::string from, to;
};

// The window state that makes the example the template's first address, as a user could set it
// by hand. Apply it through the window's own handlers in this order, so that no cascade overwrites
// a value set earlier:
//  1. Switches CheckC, CheckD, ... CheckN, in that order, each only where its value differs.
//     (Unchecking CheckG releases the counter link; checking CheckJ never establishes it.)
//  2. Check2 clicked when its caption is not the counterLink caption ("=" or "≠"). CheckG is
//     already on whenever counterLink is true, so the click takes effect.
//  3. Check1 clicked when its caption is not the textLink caption.
//  4. Fill styles, for each counter that is on: opt1(G.style), then opt2(J.style) only while the
//     counter link is released, then opt3(L.style). An option click rewrites the counter's texts
//     and refills its lists, so it comes before the texts; with the link opt1 also sets opt2.
//  5. Texts: cmbB, then txtF, txtI, cmbK, cmbN where their switch is on (a switched-off segment
//     keeps its text, as a switched-off counter does). With the text link, txtF is mirrored into
//     txtI and I equals F, so setting txtI afterwards changes nothing.
//  6. Counter texts, for each counter that is on: cmbG(0) then cmbG(1) (mirrored into cmbJ while
//     linked), cmbJ(0), cmbJ(1) only while released, cmbL(0), cmbL(1). from before to, equal
//     texts, so the ordering rule copies nothing unexpected.
//  7. Focus in the to combo of lastCounter, its text selected (no counter: on the run button).
// Counters that are off keep their texts and styles; the result list, the histories and
// set.ini are not touched and nothing is run.
struct TemplateProposal {
  SegmentSwitches on;
  std::string B, F, I, K, N;  // texts of cmbB, txtF, txtI, cmbK, cmbN; empty where unused, except
                              // I, which repeats F while the text link stays in force
  CounterSetting G, J, L;
  bool textLink = true;     // Check1 caption "="; then I == F
  bool counterLink = true;  // Check2 caption "="
  char lastCounter = 0;     // 'G', 'J', 'L', or 0 without counters
  std::vector<ProposalNote> notes;
};

// The template for the chosen runs (indices into example.runs, any order, at most
// kMaxChosenRuns, each checkable); nothing for any other choice.
std::optional<TemplateProposal> ProposeTemplate(const ExampleAddress& example, std::span<const std::size_t> chosen);

// What the window's controls hand to ReadTemplate once the proposal is applied.
TemplateInput ProposedTemplateInput(const TemplateProposal& proposal);

}  // namespace serialix

#include "core/example_address.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "core/address_characters.h"
#include "core/address_cut.h"

namespace serialix {

namespace {

constexpr std::size_t kMaxCounterDigits = 9;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Blanks outside ASCII that text copied from documents carries around an address (UTF-8): the
// no-break space, the ideographic (full-width) space and the byte-order mark.
constexpr std::string_view kWideBlanks[] = {"\xC2\xA0", "\xE3\x80\x80", "\xEF\xBB\xBF"};

std::size_t BlankAtStart(std::string_view text) {
  if (!text.empty() && IsBlank(text.front())) return 1;
  for (std::string_view blank : kWideBlanks) {
    if (text.starts_with(blank)) return blank.size();
  }
  return 0;
}

std::size_t BlankAtEnd(std::string_view text) {
  if (!text.empty() && IsBlank(text.back())) return 1;
  for (std::string_view blank : kWideBlanks) {
    if (text.ends_with(blank)) return blank.size();
  }
  return 0;
}

bool HasWideBlank(std::string_view text) {
  return std::any_of(std::begin(kWideBlanks), std::end(kWideBlanks),
                     [text](std::string_view blank) { return text.find(blank) != std::string_view::npos; });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

std::optional<std::int32_t> RunValue(std::string_view digits) {
  const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size());
  const std::string_view significant = digits.substr(first);
  if (significant.size() > 10) return std::nullopt;
  std::int32_t value = 0;
  if (significant.empty()) return value;
  const auto [end, error] = std::from_chars(significant.data(), significant.data() + significant.size(), value);
  if (error != std::errc() || end != significant.data() + significant.size()) return std::nullopt;
  return value;
}

std::vector<DigitRun> DigitRunsFrom(const std::string& text, std::size_t start) {
  std::vector<DigitRun> runs;
  for (std::size_t i = start; i < text.size();) {
    if (!IsDigit(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && IsDigit(text[end])) ++end;
    DigitRun run;
    run.position = i;
    run.digits = text.substr(i, end - i);
    run.value = RunValue(run.digits);
    run.checkable = run.digits.size() <= kMaxCounterDigits && run.value.has_value();
    runs.push_back(std::move(run));
    i = end;
  }
  return runs;
}

// A counter for one run: the style its digits show, and the leading zeros that the style cannot
// write (they stay as text before the counter).
struct RunCounter {
  CounterSetting setting;
  std::string zeros;
};

RunCounter CounterFor(const DigitRun& run) {
  RunCounter counter;
  const std::string& d = run.digits;
  FillStyle style = FillStyle::Plain;
  if (d.size() >= 2 && d[0] == '0') style = d.size() == 2 ? FillStyle::TwoDigit : FillStyle::ThreeDigit;
  const std::string text = FormatCounterValue(*run.value, style);
  counter.zeros = d.substr(0, d.size() - text.size());
  counter.setting = CounterSetting{style, text, text};
  return counter;
}

std::int64_t LargestOfWidth(std::size_t width) {
  std::int64_t value = 1;
  for (std::size_t i = 0; i < width; ++i) value *= 10;
  return value - 1;
}

}  // namespace

bool SegmentSwitches::operator[](char letter) const {
  return !SegmentOf(letter).switchable || const_cast<SegmentSwitches&>(*this)[letter];
}

bool& SegmentSwitches::operator[](char letter) {
  switch (letter) {
    case 'C': return C;
    case 'D': return D;
    case 'E': return E;
    case 'F': return F;
    case 'G': return G;
    case 'H': return H;
    case 'I': return I;
    case 'J': return J;
    case 'K': return K;
    case 'L': return L;
    case 'M': return M;
    case 'N': return N;
    default: throw std::out_of_range("segment without a switch");
  }
}

CounterSetting* TemplateProposal::counter(char letter) {
  switch (letter) {
    case 'G': return &G;
    case 'J': return &J;
    case 'L': return &L;
    default: return nullptr;
  }
}

const CounterSetting* TemplateProposal::counter(char letter) const {
  return const_cast<TemplateProposal*>(this)->counter(letter);
}

std::variant<ExampleAddress, ExampleAddressError> ReadExampleAddress(std::string_view pasted) {
  if (!IsValidUtf8(pasted)) return ExampleAddressError::NotUtf8;
  while (const std::size_t n = BlankAtStart(pasted)) pasted.remove_prefix(n);
  while (const std::size_t n = BlankAtEnd(pasted)) pasted.remove_suffix(n);
  if (pasted.empty()) return ExampleAddressError::Empty;
  if (pasted.find_first_of("\r\n") != std::string_view::npos) return ExampleAddressError::SeveralLines;

  ExampleAddress example;
  if (StartsWithNoCase(pasted, "http://")) {
    example.schemeLength = 7;
  } else if (StartsWithNoCase(pasted, "https://")) {
    example.schemeLength = 8;
    example.https = true;
  } else {
    return ExampleAddressError::NotHttp;
  }
  const bool hasBlank = std::any_of(pasted.begin(), pasted.end(), [](char c) { return c == ' '; });
  if (hasBlank || HasWideBlank(pasted) || HasCharacterNotForAddress(pasted)) return ExampleAddressError::Blank;
  example.text = pasted;
  example.hostEnd = std::min(example.text.find_first_of("/?#", example.schemeLength), example.text.size());
  if (example.hostEnd == example.schemeLength) return ExampleAddressError::NoHost;

  example.runs = DigitRunsFrom(example.text, example.hostEnd);
  for (std::size_t i = example.runs.size(); i > 0; --i) {
    if (example.runs[i - 1].checkable) {
      example.defaultChoice.push_back(i - 1);
      break;
    }
  }
  return example;
}

std::optional<TemplateProposal> ProposeTemplate(const ExampleAddress& example, std::span<const std::size_t> chosen) {
  std::vector<std::size_t> indices(chosen.begin(), chosen.end());
  std::sort(indices.begin(), indices.end());
  if (indices.size() > kMaxChosenRuns || std::adjacent_find(indices.begin(), indices.end()) != indices.end()) {
    return std::nullopt;
  }
  for (std::size_t index : indices) {
    if (index >= example.runs.size() || !example.runs[index].checkable) return std::nullopt;
  }

  const std::string& text = example.text;
  std::vector<PlacedCounter> counters;
  std::vector<ProposalNote> notes;
  if (text.compare(0, example.schemeLength, SchemeText(example.https)) != 0) {
    notes.push_back({ProposalNote::Kind::SchemeReplaced, text.substr(0, example.schemeLength), {}, 0});
  }
  for (std::size_t index : indices) {
    const DigitRun& run = example.runs[index];
    RunCounter counter = CounterFor(run);
    // The zeros the style cannot write stay before the counter, as fixed text.
    const std::size_t zeros = counter.zeros.size();
    counters.push_back({run.position + zeros, run.digits.size() - zeros, std::move(counter.setting)});
    if (zeros != 0) {
      notes.push_back(
          {ProposalNote::Kind::PaddingLimited, run.digits, counter.zeros, LargestOfWidth(counters.back().length)});
    }
  }
  TemplateProposal p = CutIntoSegments(text, example.schemeLength, counters);
  p.https = example.https;
  p.notes = std::move(notes);
  return p;
}

TemplateInput ProposedTemplateInput(const TemplateProposal& p) {
  TemplateInput input;
  for (const Segment& segment : kSegments) {
    const char letter = segment.letter;
    const bool on = p.on[letter];
    if (std::string* text = input.text(letter)) {
      if (!on) continue;
      // A letter is never proposed: the example has no list to pick it from.
      if (segment.kind == SegmentKind::Fixed) *text = segment.fixedText;
      if (segment.kind == SegmentKind::Text) *text = *p.text(letter);
    } else if (CounterInput* counter = input.counter(letter)) {
      const CounterSetting& setting = *p.counter(letter);
      *counter = CounterInput{on, setting.from, setting.to, setting.style};
    }
  }
  input.counterLink = p.counterLink;
  input.https = p.https;
  return input;
}

}  // namespace serialix

#include "core/pattern_proposal.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "core/address_cut.h"
#include "core/pattern.h"

namespace serialix {

namespace {

constexpr std::uint64_t kLargestCounterValue = std::numeric_limits<std::int32_t>::max();

// The fill style that pads as the range does: curl pads to the width of the start text.
std::optional<FillStyle> StyleOfWidth(std::size_t width) {
  switch (width) {
    case 0:
    case 1: return FillStyle::Plain;
    case 2: return FillStyle::TwoDigit;
    case 3: return FillStyle::ThreeDigit;
    default: return std::nullopt;
  }
}

// A range as a counter setting, or why it cannot be one.
std::variant<CounterSetting, PatternRefusalReason> CounterOf(const PatternRange& range) {
  if (range.letters) return PatternRefusalReason::Letters;
  if (!range.group.empty()) return PatternRefusalReason::Lockstep;
  if (range.step != 1) return PatternRefusalReason::Step;
  if (range.first > range.last) return PatternRefusalReason::Descending;
  const std::optional<FillStyle> style = StyleOfWidth(range.width);
  if (!style) return PatternRefusalReason::TooWide;
  if (range.last > kLargestCounterValue) return PatternRefusalReason::TooLarge;
  return CounterSetting{*style, FormatCounterValue(static_cast<std::int32_t>(range.first), *style),
                        FormatCounterValue(static_cast<std::int32_t>(range.last), *style)};
}

}  // namespace

std::variant<TemplateProposal, PatternRefusal> ProposeTemplateFromPattern(std::string_view text) {
  std::vector<PatternSpan> spans;
  const auto read = ReadPattern(text, spans);
  if (const auto* error = std::get_if<PatternError>(&read)) {
    return PatternRefusal{PatternRefusalReason::Unreadable, error->column, {}, error->message};
  }
  const Pattern& pattern = std::get<Pattern>(read);
  const auto refuse = [&](PatternRefusalReason reason, std::size_t part) {
    const PatternSpan& span = spans[part];
    return PatternRefusal{reason, span.column, std::string(text.substr(span.column - 1, span.length)), {}};
  };

  const auto* head = pattern.parts.empty() ? nullptr : std::get_if<std::string>(&pattern.parts.front());
  const bool https = head && head->starts_with(kSecureScheme);
  if (!https && !(head && head->starts_with(kScheme))) {
    // The scheme as written, or else the first part.
    if (const std::size_t end = text.find("://"); head && end < spans.front().length) {
      return PatternRefusal{PatternRefusalReason::NotHttp, 1, std::string(text.substr(0, end + 3)), {}};
    }
    if (pattern.parts.empty()) return PatternRefusal{PatternRefusalReason::NotHttp, 1, {}, {}};
    return refuse(PatternRefusalReason::NotHttp, 0);
  }

  // The address with each counter's first text in its place: where the counters stand is all
  // the cut needs to know of them.
  std::string address;
  std::vector<PlacedCounter> counters;
  bool counterLink = false;
  const auto place = [&](CounterSetting setting) {
    counters.push_back({address.size(), setting.from.size(), setting});
    address += setting.from;
  };
  std::size_t globs = 0;
  std::size_t firstRangeGlob = 0;
  for (std::size_t i = 0; i < pattern.parts.size(); ++i) {
    const PatternPart& part = pattern.parts[i];
    if (const auto* literal = std::get_if<std::string>(&part)) {
      address += *literal;
      continue;
    }
    if (const auto* list = std::get_if<PatternList>(&part)) {
      // One item is literal text: the writer puts backslashes before a glob in one.
      if (list->items.size() != 1) return refuse(PatternRefusalReason::List, i);
      address += list->items.front();
      ++globs;
      continue;
    }
    if (const auto* range = std::get_if<PatternRange>(&part)) {
      const auto counter = CounterOf(*range);
      if (const auto* reason = std::get_if<PatternRefusalReason>(&counter)) return refuse(*reason, i);
      if (counters.size() == kMaxChosenRuns) return refuse(PatternRefusalReason::TooMany, i);
      if (counters.empty()) firstRangeGlob = globs;
      ++globs;
      place(std::get<CounterSetting>(counter));
      continue;
    }
    // A repeat of the first range, standing second, is J following G; nothing else is.
    if (counters.size() != 1 || std::get<PatternRepeat>(part).glob != firstRangeGlob) {
      return refuse(PatternRefusalReason::Repeat, i);
    }
    counterLink = true;
    place(counters.front().setting);
  }

  const std::size_t schemeLength = SchemeText(https).size();
  TemplateProposal proposal = CutIntoSegments(address, schemeLength, counters);
  proposal.https = https;
  if (counterLink) {
    proposal.counterLink = true;
    // A linked J takes no input: the user's last number is G's.
    if (proposal.lastCounter == 'J') proposal.lastCounter = 'G';
  }
  return proposal;
}

bool LooksLikePattern(std::string_view text) {
  const auto read = ReadPattern(text);
  if (const auto* pattern = std::get_if<Pattern>(&read)) {
    for (const PatternPart& part : pattern->parts) {
      if (!std::holds_alternative<std::string>(part)) return true;
    }
    return false;
  }
  return text.find_first_of("[{") != std::string_view::npos;
}

}  // namespace serialix

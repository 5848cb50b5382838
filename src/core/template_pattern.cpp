#include "core/template_pattern.h"

#include <utility>

namespace serialix {

namespace {

PatternRange RangeOf(const Counter& counter) {
  PatternRange range;
  range.first = static_cast<std::uint64_t>(counter.from);
  range.last = static_cast<std::uint64_t>(counter.to);
  range.width = MinimumWidth(counter.style);
  return range;
}

}  // namespace

char CounterPatternCannotSay(const AddressTemplate& tmpl) {
  for (const auto& [letter, counter] : {std::pair{'G', &tmpl.G}, std::pair{'J', &tmpl.J}, std::pair{'L', &tmpl.L}}) {
    if (counter->enabled && (counter->from < 0 || counter->from > counter->to)) return letter;
  }
  return 0;
}

std::optional<Pattern> TemplatePattern(const AddressTemplate& tmpl) {
  if (CounterPatternCannotSay(tmpl) != 0) return std::nullopt;
  Pattern pattern;
  std::string literal(SchemeText(tmpl.https));
  for (const std::string* text : {&tmpl.B, &tmpl.C, &tmpl.D, &tmpl.E, &tmpl.F}) literal += *text;
  auto add = [&](PatternPart part) {
    if (!literal.empty()) pattern.parts.emplace_back(std::move(literal));
    literal.clear();
    pattern.parts.push_back(std::move(part));
  };
  std::size_t globs = 0;
  std::optional<std::size_t> gGlob;
  PatternRange g;
  if (tmpl.G.enabled) {
    g = RangeOf(tmpl.G);
    // Linked with another style, J shows G's values in its own: a lockstep pair, not a repeat.
    if (tmpl.counterLink && tmpl.J.enabled && tmpl.J.style != tmpl.G.style) g.group.assign(1, 'g');
    gGlob = globs++;
    add(g);
  }
  literal += tmpl.H;
  literal += tmpl.I;
  if (tmpl.J.enabled) {
    if (!tmpl.counterLink) {
      add(RangeOf(tmpl.J));
      ++globs;
    } else if (!gGlob) {
      literal += FormatCounterValue(0, tmpl.J.style);  // linked to a switched-off G: always 0
    } else if (!g.group.empty()) {
      PatternRange j = g;
      j.width = MinimumWidth(tmpl.J.style);
      add(j);
      ++globs;
    } else {
      add(PatternRepeat{*gGlob});
    }
  }
  literal += tmpl.K;
  if (tmpl.L.enabled) add(RangeOf(tmpl.L));
  literal += tmpl.M;
  literal += tmpl.N;
  if (!literal.empty()) pattern.parts.emplace_back(std::move(literal));
  return pattern;
}

}  // namespace serialix

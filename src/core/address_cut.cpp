#include "core/address_cut.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace serialix {

namespace {

// The "." of a file extension in [from, queryStart): the last dot with no "/" after it.
std::optional<std::size_t> ExtensionDot(std::string_view text, std::size_t from, std::size_t queryStart) {
  if (queryStart <= from) return std::nullopt;
  for (std::size_t i = queryStart; i > from; --i) {
    const char c = text[i - 1];
    if (c == '/') return std::nullopt;
    if (c == '.') return i - 1;
  }
  return std::nullopt;
}

// Host and path before the first counter: B, then "/" (C) and F after the last slash.
void FillHead(std::string_view head, TemplateProposal& p) {
  const std::size_t slash = head.rfind('/');
  if (slash == std::string_view::npos) {
    p.B = head;
    return;
  }
  p.B = head.substr(0, slash);
  p.on.C = true;
  p.F = head.substr(slash + 1);
  p.on.F = !p.F.empty();
}

// Text after G: "/" (H) when it starts with one, then I.
void FillAfterG(std::string_view text, TemplateProposal& p) {
  if (!text.empty() && text.front() == '/') {
    p.on.H = true;
    text.remove_prefix(1);
  }
  p.I = text;
  p.on.I = !p.I.empty();
}

void FillK(std::string_view text, TemplateProposal& p) {
  p.K = text;
  p.on.K = !p.K.empty();
}

void FillExtension(std::string_view extension, TemplateProposal& p) {
  p.on.M = true;
  p.N = extension;
  p.on.N = !p.N.empty();
}

}  // namespace

TemplateProposal CutIntoSegments(std::string_view text, std::size_t schemeLength,
                                 std::span<const PlacedCounter> counters) {
  TemplateProposal p;
  const std::size_t hostEnd = std::min(text.find_first_of("/?#", schemeLength), text.size());
  const std::size_t queryStart = std::min(text.find_first_of("?#", hostEnd), text.size());

  // The texts between the counters: before[0] before the first, before[i] between counter i-1 and i.
  std::vector<std::string_view> before;
  std::size_t cursor = schemeLength;
  for (const PlacedCounter& counter : counters) {
    before.push_back(text.substr(cursor, counter.position - cursor));
    cursor = counter.position + counter.length;
  }
  const std::size_t tailStart = cursor;
  const std::string_view tail = text.substr(tailStart);
  const std::optional<std::size_t> dot = ExtensionDot(text, std::max(tailStart, hostEnd), queryStart);
  const std::string_view beforeDot = dot ? tail.substr(0, *dot - tailStart) : tail;
  const std::string_view extension = dot ? text.substr(*dot + 1) : std::string_view();

  switch (counters.size()) {
    case 0: FillHead(beforeDot, p); break;
    case 1:
      FillHead(before[0], p);
      FillAfterG(beforeDot, p);
      break;
    case 2:
      FillHead(before[0], p);
      FillAfterG(before[1], p);
      FillK(beforeDot, p);
      break;
    default:
      FillHead(before[0], p);
      FillAfterG(before[1], p);
      FillK(before[2], p);
      break;
  }
  if (counters.size() < 3 && dot) {
    FillExtension(extension, p);
  } else if (counters.size() == 3) {
    // After L only "." and N remain: the whole tail goes there.
    if (dot && *dot == tailStart) {
      FillExtension(extension, p);
    } else {
      p.N = tail;
      p.on.N = !p.N.empty();
    }
  }

  // The counters become G, J, L from left to right.
  auto next = counters.begin();
  for (const Segment& segment : kSegments) {
    if (segment.kind != SegmentKind::Counter || next == counters.end()) continue;
    *p.counter(segment.letter) = (next++)->setting;
    p.on[segment.letter] = true;
    p.lastCounter = segment.letter;
  }
  // J follows G only where J is not used; without G the window releases the link itself.
  p.counterLink = counters.size() == 1;
  if (p.on.I) {
    p.textLink = p.I == p.F;
  } else {
    p.I = p.F;
    p.textLink = true;
  }
  return p;
}

}  // namespace serialix

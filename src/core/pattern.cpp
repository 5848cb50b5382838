#include "core/pattern.h"

#include <map>
#include <utility>

namespace serialix {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;  // clang before 17 does not deduce aggregates

std::uint64_t Distance(const PatternRange& r) {
  return r.first < r.last ? r.last - r.first : r.first - r.last;
}

// The odometer's wheel of every glob: one per glob, one per group, in order of appearance.
struct Wheels {
  std::vector<std::size_t> ofGlob;
  std::vector<std::uint64_t> sizes;
};

Wheels WheelsOf(const Pattern& pattern) {
  Wheels w;
  std::map<std::string, std::size_t> groups;
  for (const auto& part : pattern.parts) {
    std::uint64_t size = 0;
    const std::string* group = nullptr;
    if (const auto* range = std::get_if<PatternRange>(&part)) {
      size = range->size();
      if (!range->group.empty()) group = &range->group;
    } else if (const auto* list = std::get_if<PatternList>(&part)) {
      size = list->items.size();
    } else {
      continue;
    }
    if (group != nullptr) {
      if (const auto it = groups.find(*group); it != groups.end()) {
        w.ofGlob.push_back(it->second);
        continue;
      }
      groups.emplace(*group, w.sizes.size());
    }
    w.ofGlob.push_back(w.sizes.size());
    w.sizes.push_back(size);
  }
  return w;
}

// Every glob at the same index of its wheel: 0 for the first address, its last for the last.
std::string AddressAtEnd(const Pattern& pattern, bool last) {
  const Wheels w = WheelsOf(pattern);
  std::vector<std::uint64_t> positions;
  for (const auto size : w.sizes) positions.push_back(last ? size - 1 : 0);
  return PatternOdometer(pattern).lineAt(positions);
}

void AppendEscaped(std::string& out, std::string_view text, std::string_view special) {
  for (const char c : text) {
    if (special.find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
}

std::string NumberText(std::uint64_t value, std::size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

}  // namespace

std::uint64_t PatternRange::size() const {
  return Distance(*this) / step + 1;
}

std::string PatternRange::textAt(std::uint64_t index) const {
  const std::uint64_t value = first <= last ? first + index * step : first - index * step;
  return letters ? std::string(1, static_cast<char>(value)) : NumberText(value, width);
}

std::string WritePattern(const Pattern& pattern) {
  std::string out;
  // Backslashes that end a literal text would escape the bracket of the glob after it; they go
  // into a list of their own, and the repeats after it count that list too.
  std::vector<std::size_t> writtenGlob;
  std::size_t globs = 0;
  for (std::size_t i = 0; i < pattern.parts.size(); ++i) {
    const PatternPart& part = pattern.parts[i];
    std::visit(
        Overloaded{
            [&](const std::string& text) {
              const bool beforeGlob =
                  i + 1 < pattern.parts.size() && !std::holds_alternative<std::string>(pattern.parts[i + 1]);
              const std::size_t kept = text.find_last_not_of('\\') + 1;  // npos + 1 == 0
              if (beforeGlob && kept < text.size()) {
                AppendEscaped(out, std::string_view(text).substr(0, kept), "[]{}");
                out += '{';
                AppendEscaped(out, std::string_view(text).substr(kept), "\\");
                out += '}';
                ++globs;
              } else {
                AppendEscaped(out, text, "[]{}");
              }
            },
            [&](const PatternRange& range) {
              out += '[';
              if (range.letters) {
                out += static_cast<char>(range.first);
                out += '-';
                out += static_cast<char>(range.last);
              } else {
                out += NumberText(range.first, range.width);
                out += '-';
                out += NumberText(range.last, range.width);  // "[01-03]": the end padded as its numbers are written
              }
              if (range.step != 1) out += ':' + std::to_string(range.step);
              if (!range.group.empty()) out += '@' + range.group;
              out += ']';
              writtenGlob.push_back(globs++);
            },
            [&](const PatternList& list) {
              out += '{';
              for (std::size_t k = 0; k < list.items.size(); ++k) {
                if (k != 0) out += ',';
                AppendEscaped(out, list.items[k], "[]{},\\");
              }
              out += '}';
              writtenGlob.push_back(globs++);
            },
            [&](const PatternRepeat& repeat) { out += "[#" + std::to_string(writtenGlob[repeat.glob] + 1) + ']'; },
        },
        part);
  }
  return out;
}

BigUnsigned PatternCount(const Pattern& pattern) {
  BigUnsigned count = 1;
  for (const auto size : WheelsOf(pattern).sizes) count *= size;
  return count;
}

std::string FirstAddress(const Pattern& pattern) {
  return AddressAtEnd(pattern, false);
}
std::string LastAddress(const Pattern& pattern) {
  return AddressAtEnd(pattern, true);
}

Odometer PatternOdometer(const Pattern& pattern) {
  const Wheels w = WheelsOf(pattern);
  Odometer odometer;
  odometer.wheels = w.sizes;
  odometer.texts.emplace_back();
  std::vector<OdometerField> globFields;
  auto addField = [&](OdometerField field) {
    odometer.fields.push_back(std::move(field));
    odometer.texts.emplace_back();
  };
  for (const auto& part : pattern.parts) {
    std::visit(Overloaded{
                   [&](const std::string& text) { odometer.texts.back() += text; },
                   [&](const PatternRange& range) {
                     OdometerField field;
                     field.wheel = w.ofGlob[globFields.size()];
                     if (range.letters) {
                       for (std::uint64_t k = 0; k < range.size(); ++k) field.texts.push_back(range.textAt(k));
                     } else {
                       field.first = range.first;
                       field.step = range.first <= range.last ? Int128(range.step) : -Int128(range.step);
                       field.minDigits = range.width;
                     }
                     globFields.push_back(field);
                     addField(std::move(field));
                   },
                   [&](const PatternList& list) {
                     OdometerField field;
                     field.wheel = w.ofGlob[globFields.size()];
                     field.texts = list.items;
                     globFields.push_back(field);
                     addField(std::move(field));
                   },
                   [&](const PatternRepeat& repeat) { addField(globFields[repeat.glob]); },
               },
               part);
  }
  return odometer;
}

bool WritePatternLines(const Pattern& pattern, const ChunkSink& sink, LineEnd lineEnd) {
  const Odometer odometer = PatternOdometer(pattern);
  return odometer.writeLines(std::vector<std::uint64_t>(odometer.wheels.size(), 0), std::nullopt, sink, lineEnd);
}

}  // namespace serialix

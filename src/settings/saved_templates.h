// Templates the user saved under a name, and the text of templates.ini that holds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/example_address.h"

namespace serialix {

// The whole template as the window's controls hold it, the texts of switched-off segments and
// counters included, so that loading it gives back exactly the window that was saved. A key
// missing from the file keeps the window's starting value given here.
struct SavedTemplate {
  std::string name;          // UTF-8, never empty
  std::int64_t savedAt = 0;  // seconds since 1970-01-01 UTC
  bool https = false;
  SegmentSwitches on{true, true, true, true, true, true, true, true, true, true, true, true};
  std::string B, D, F, I, K, N;  // D is empty or one letter "a" to "z"
  CounterSetting G{FillStyle::Plain, "0", "0"}, J{FillStyle::Plain, "0", "0"}, L{FillStyle::Plain, "0", "0"};
  bool textLink = true;     // Check1 shows "="
  bool counterLink = true;  // Check2 shows "="
  // Keys this version does not know (a later version's), written back as they were.
  std::vector<std::pair<std::string, std::string>> otherKeys;

  // The text of B, D, F, I, K or N; nullptr for any other letter.
  std::string* text(char letter);
  const std::string* text(char letter) const;
  // G, J or L; nullptr for any other letter.
  CounterSetting* counter(char letter);
  const CounterSetting* counter(char letter) const;
};

// Why templates.ini could not be understood, and on which line (counted from 1).
struct SavedTemplatesError {
  enum class Reason {
    NotUtf8,         // bytes that are not UTF-8
    NotALine,        // neither a header "[name]", a "key=value" line, a comment nor blank
    OutsideSection,  // a key line before the first header
    BadEscape,       // a "\" not followed by "\" or by "x" and two hex digits of 00 to 7F
    EmptyName,       // "[]"
    SameName,        // a second template of the same name
    SameKey,         // a key given twice in one template
    BadValue,        // a known key with a value it cannot have
  };
  Reason reason = Reason::NotALine;
  std::size_t line = 0;
  std::string key;  // BadValue and SameKey: the key
};

// Reads the text of templates.ini; the templates in file order. An empty text holds none.
std::variant<std::vector<SavedTemplate>, SavedTemplatesError> ParseSavedTemplates(std::string_view text);

// The text of templates.ini holding these templates in this order (names must be unique).
std::string FormatSavedTemplates(const std::vector<SavedTemplate>& templates);

// Positions into `templates`, the most recently saved first; of two saved in the same second the
// later in the file (saving puts a template last) comes first.
std::vector<std::size_t> NewestFirst(const std::vector<SavedTemplate>& templates);

}  // namespace serialix

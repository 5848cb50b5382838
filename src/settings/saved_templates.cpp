// templates.ini: the saved templates, one UTF-8 file beside set.ini. It is ours alone (set.ini
// keeps the described format), so it is UTF-8 with LF line ends and escapes what a line cannot
// hold. For example:
//
//   ; Serialix templates (UTF-8)
//   [Gallery vol/page]
//   Saved=1796680200
//   Https=1
//   On=CDEFGHIJMN
//   B=example.com
//   D=a
//   F=vol
//   I=page
//   K=~
//   N=jpg
//   G.Style=01
//   G.From=1
//   G.To=3
//   J.Style=01
//   J.From=1
//   J.To=12
//   L.Style=1
//   L.From=0
//   L.To=0
//   TextLink=0
//   CounterLink=0
//
// - One section per template; the header's name is everything between the line's first "[" and
//   its last "]", so "[", "]" and "=" stand in a name as they are. Names are unique (compared
//   byte for byte) and never empty.
// - A key line is the key, "=", and the value up to the line end: nothing is trimmed, so blanks
//   around a text are kept. Keys are matched exactly.
// - In names and values "\" is written "\\" and every control character (line breaks, tab, DEL)
//   "\xHH", so no text can break a line or add one. No other escape exists.
// - Saved: seconds since 1970-01-01 UTC. Https, TextLink, CounterLink: 0 or 1 ("=" is 1).
//   On: the letters of the segments switched on, C to N, each at most once. D: empty or one
//   letter a to z. <counter>.Style: 1, 01 or 001; <counter>.From and .To: digits, or empty.
// - A missing key keeps the window's starting value (switches on, links "=", counters 0 to 0
//   in style 1, texts empty); an unknown key is kept and written back, for later versions.
// - Blank lines and lines starting with ";" or "#" are comments. One CR before a line's LF and a
//   UTF-8 byte-order mark at the start are passed over.
// Anything else makes the whole file malformed: it is reported with its line and never
// rewritten, so a hand edit is never lost.
#include "settings/saved_templates.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <optional>
#include <unordered_set>

#include "core/address_characters.h"

namespace serialix {
namespace {

using Reason = SavedTemplatesError::Reason;

constexpr char kCounters[] = {'G', 'J', 'L'};
constexpr char kTexts[] = {'B', 'D', 'F', 'I', 'K', 'N'};

bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

std::string Escaped(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (IsControl(byte)) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '\\') {
      out += '\\';
      ++i;
      continue;
    }
    // Only ASCII may be escaped, so the text stays UTF-8.
    if (i + 3 < text.size() && text[i + 1] == 'x' && HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 2]) < 8 &&
        HexDigit(text[i + 3]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
      i += 3;
      continue;
    }
    return std::nullopt;
  }
  return out;
}

// The caption of the style's option, blanks aside.
std::string_view StyleText(FillStyle style) {
  switch (style) {
    case FillStyle::Plain: return "1";
    case FillStyle::TwoDigit: return "01";
    case FillStyle::ThreeDigit: return "001";
  }
  return "1";
}

std::optional<FillStyle> ParseStyle(std::string_view text) {
  for (FillStyle style : {FillStyle::Plain, FillStyle::TwoDigit, FillStyle::ThreeDigit}) {
    if (text == StyleText(style)) return style;
  }
  return std::nullopt;
}

std::optional<bool> ParseFlag(std::string_view text) {
  if (text == "0") return false;
  if (text == "1") return true;
  return std::nullopt;
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Sets the template's field for a known key; false when the value does not fit the key. Keys
// not known here go to otherKeys.
bool SetKey(SavedTemplate& t, const std::string& key, const std::string& value) {
  if (key == "Saved") {
    const auto result = std::from_chars(value.data(), value.data() + value.size(), t.savedAt);
    return !value.empty() && AllDigits(value) && result.ec == std::errc() && result.ptr == value.data() + value.size();
  }
  for (auto [name, flag] :
       {std::pair{"Https", &t.https}, std::pair{"TextLink", &t.textLink}, std::pair{"CounterLink", &t.counterLink}}) {
    if (key != name) continue;
    const auto parsed = ParseFlag(value);
    if (parsed) *flag = *parsed;
    return parsed.has_value();
  }
  if (key == "On") {
    SegmentSwitches on{};
    for (char letter : value) {
      if (letter < 'C' || letter > 'N' || on[letter]) return false;
      on[letter] = true;
    }
    t.on = on;
    return true;
  }
  if (key.size() == 1 && t.text(key[0])) {
    if (key == "D" && !(value.empty() || (value.size() == 1 && value[0] >= 'a' && value[0] <= 'z'))) return false;
    *t.text(key[0]) = value;
    return true;
  }
  if (key.size() > 2 && key[1] == '.' && t.counter(key[0])) {
    CounterSetting& counter = *t.counter(key[0]);
    const std::string_view part = std::string_view(key).substr(2);
    if (part == "Style") {
      const auto style = ParseStyle(value);
      if (style) counter.style = *style;
      return style.has_value();
    }
    if (part == "From" || part == "To") {
      if (!AllDigits(value)) return false;
      (part == "From" ? counter.from : counter.to) = value;
      return true;
    }
  }
  t.otherKeys.emplace_back(key, value);
  return true;
}

}  // namespace

std::string* SavedTemplate::text(char letter) {
  return const_cast<std::string*>(std::as_const(*this).text(letter));
}

const std::string* SavedTemplate::text(char letter) const {
  switch (letter) {
    case 'B': return &B;
    case 'D': return &D;
    case 'F': return &F;
    case 'I': return &I;
    case 'K': return &K;
    case 'N': return &N;
    default: return nullptr;
  }
}

CounterSetting* SavedTemplate::counter(char letter) {
  return const_cast<CounterSetting*>(std::as_const(*this).counter(letter));
}

const CounterSetting* SavedTemplate::counter(char letter) const {
  switch (letter) {
    case 'G': return &G;
    case 'J': return &J;
    case 'L': return &L;
    default: return nullptr;
  }
}

std::variant<std::vector<SavedTemplate>, SavedTemplatesError> ParseSavedTemplates(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<SavedTemplate> templates;
  // Looked up once a line, so a file of many templates or keys still reads in linear time.
  std::unordered_set<std::string> names;
  std::unordered_set<std::string> keysSeen;  // of the current template
  std::size_t lineNumber = 0;
  const auto fail = [&lineNumber](Reason reason, std::string key = {}) {
    return SavedTemplatesError{reason, lineNumber, std::move(key)};
  };
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!IsValidUtf8(line)) return fail(Reason::NotUtf8);

    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == ';' || line[first] == '#') continue;
    if (line[0] == '[') {
      const std::size_t close = line.rfind(']');
      if (close == std::string_view::npos || close == 0 ||
          line.find_first_not_of(" \t", close + 1) != std::string_view::npos)
        return fail(Reason::NotALine);
      const auto name = Unescaped(line.substr(1, close - 1));
      if (!name) return fail(Reason::BadEscape);
      if (name->empty()) return fail(Reason::EmptyName);
      if (!names.insert(*name).second) return fail(Reason::SameName);
      templates.emplace_back().name = *name;
      keysSeen.clear();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) return fail(Reason::NotALine);
    if (templates.empty()) return fail(Reason::OutsideSection);
    std::string key(line.substr(0, equals));
    if (keysSeen.contains(key)) return fail(Reason::SameKey, key);
    const auto value = Unescaped(line.substr(equals + 1));
    if (!value) return fail(Reason::BadEscape);
    if (!SetKey(templates.back(), key, *value)) return fail(Reason::BadValue, key);
    keysSeen.insert(std::move(key));
  }
  return templates;
}

std::string FormatSavedTemplates(const std::vector<SavedTemplate>& templates) {
  std::string out = "; Serialix templates (UTF-8)\n";
  const auto put = [&out](std::string_view key, std::string_view value) {
    out.append(key).append("=").append(Escaped(value)).append("\n");
  };
  for (const SavedTemplate& t : templates) {
    out.append("[").append(Escaped(t.name)).append("]\n");
    put("Saved", std::to_string(t.savedAt));
    put("Https", t.https ? "1" : "0");
    std::string on;
    for (char letter = 'C'; letter <= 'N'; ++letter) {
      if (t.on[letter]) on += letter;
    }
    put("On", on);
    for (char letter : kTexts) put(std::string(1, letter), *t.text(letter));
    for (char letter : kCounters) {
      const CounterSetting& counter = *t.counter(letter);
      const std::string prefix{letter, '.'};
      put(prefix + "Style", StyleText(counter.style));
      put(prefix + "From", counter.from);
      put(prefix + "To", counter.to);
    }
    put("TextLink", t.textLink ? "1" : "0");
    put("CounterLink", t.counterLink ? "1" : "0");
    for (const auto& [key, value] : t.otherKeys) put(key, value);
  }
  return out;
}

std::vector<std::size_t> NewestFirst(const std::vector<SavedTemplate>& templates) {
  std::vector<std::size_t> order(templates.size());
  std::iota(order.rbegin(), order.rend(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return templates[a].savedAt > templates[b].savedAt; });
  return order;
}

}  // namespace serialix

#include "platform/files/profile_file.h"

#include <algorithm>
#include <cstring>

#include "platform/files/codepage932.h"
#include "platform/files/whole_file.h"

namespace serialix {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text, bool strayCr = false) {
  auto drop = [strayCr](char c) { return IsBlank(c) || (strayCr && c == '\r'); };
  while (!text.empty() && drop(text.front())) text.remove_prefix(1);
  while (!text.empty() && drop(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names compare as decoded text with ASCII letters folded; UTF-8 bytes of
// other characters are all >= 0x80 and pass through unchanged.
std::string FoldName(std::string_view utf8) {
  std::string folded(TrimBlanks(utf8));
  for (char& c : folded) c = AsciiLower(c);
  return folded;
}

std::string FoldCp932Name(std::string_view cp932) {
  return FoldName(Cp932ToUtf8(cp932));
}

// Position of the first character `wanted` (an ASCII byte) at a character
// boundary of `line`, starting at `from`; npos if none.
std::size_t FindChar(std::string_view line, char wanted, std::size_t from = 0) {
  for (std::size_t pos = from; pos < line.size(); pos += Cp932CharLength(line, pos)) {
    if (line[pos] == wanted) return pos;
  }
  return std::string_view::npos;
}

std::size_t FirstNonBlank(std::string_view line) {
  std::size_t pos = 0;
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  return pos;
}

std::string NoLineBreaks(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

// A name as the file holds it, in the form names are compared in.
std::string StoredName(std::string_view utf8) {
  return FoldCp932Name(Utf8ToCp932(NoLineBreaks(utf8)));
}

bool IsBlankLine(std::string_view raw) {
  return TrimBlanks(raw, true).empty();
}

// Length of the well-formed UTF-8 sequence at text[pos] (overlong forms and surrogates
// excluded), or 0 when there is none.
std::size_t Utf8Length(std::string_view text, std::size_t pos) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned lead = byte(pos);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (pos + length > text.size() || byte(pos + 1) < low || byte(pos + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Valid UTF-8 holding at least one character beyond ASCII.
bool IsUtf8BeyondAscii(std::string_view text) {
  bool beyond = false;
  for (std::size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    const std::size_t length = Utf8Length(text, pos);
    if (length == 0) return false;
    beyond = beyond || length > 1;
    pos += length;
  }
  return beyond;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

ProfileFile ProfileFile::parse(std::string_view bytes) {
  auto copy = std::make_unique_for_overwrite<char[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), copy.get());
  return parse(std::move(copy), bytes.size());
}

ProfileFile ProfileFile::parse(std::shared_ptr<const char[]> source, std::size_t size) {
  ProfileFile file;
  file.source_ = std::move(source);
  const std::string_view bytes(file.source_.get(), size);
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t lf = bytes.find('\n', start);
    Line line;
    line.begin = start;
    if (lf == std::string_view::npos) {
      line.length = bytes.size() - start;
      start = bytes.size();
    } else {
      std::size_t end = lf;
      if (end > start && bytes[end - 1] == '\r') --end;
      line.length = end - start;
      line.ending = end == lf ? Ending::Lf : Ending::CrLf;
      start = lf + 1;
    }

    // A UTF-8 editor's byte-order mark is no part of the first line's meaning.
    const std::size_t mark = line.begin == 0 && bytes.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
    const std::string_view raw = bytes.substr(line.begin + mark, line.length - std::min(mark, line.length));
    const std::size_t first = FirstNonBlank(raw);
    if (first < raw.size() && raw[first] == '[') {
      // In a UTF-8 line "]" is always itself; read as code page 932 it could be a trail byte.
      const bool utf8 = IsUtf8BeyondAscii(raw);
      const std::size_t close = utf8 ? raw.find(']', first + 1) : FindChar(raw, ']', first + 1);
      if (close != std::string_view::npos) {
        Section section;
        const std::string_view name = raw.substr(first + 1, close - first - 1);
        section.name = FoldCp932Name(name);
        if (utf8) section.utf8Name = FoldName(name);
        section.header = std::move(line);
        file.sections_.push_back(std::move(section));
        continue;
      }
    }
    std::vector<Line>& owner = file.sections_.empty() ? file.preamble_ : file.sections_.back().body;
    if (!file.sections_.empty() && !(first < raw.size() && raw[first] == ';')) {
      const std::size_t equals = FindChar(raw, '=');
      if (equals != std::string_view::npos) {
        line.keyStart = static_cast<std::uint8_t>(mark);
        line.valueStart = mark + equals + 1;
      }
    }
    owner.push_back(std::move(line));
  }
  file.utf8_ = IsUtf8BeyondAscii(bytes);
  file.indexSections();
  return file;
}

std::optional<ProfileFile> ProfileFile::loadFile(const std::filesystem::path& path, std::error_code* error) {
  std::optional<WholeFile> file = ReadWholeFile(path, error);
  if (!file) return std::nullopt;
  return parse(std::shared_ptr<const char[]>(std::move(file->bytes)), file->size);
}

void ProfileFile::indexSections() {
  sectionIndex_.clear();
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    sectionIndex_.emplace(sections_[i].name, i);
    if (!sections_[i].utf8Name.empty()) sectionIndex_.emplace(sections_[i].utf8Name, i);
  }
}

ProfileFile::Section* ProfileFile::findSection(const std::string& folded) {
  const auto found = sectionIndex_.find(folded);
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

const ProfileFile::Section* ProfileFile::findSection(const std::string& folded) const {
  const auto found = sectionIndex_.find(folded);
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

ProfileFile::SectionReader ProfileFile::section(std::string_view name) const {
  SectionReader reader;
  reader.file_ = this;
  reader.section_ = findSection(StoredName(name));
  return reader;
}

std::optional<std::string_view> ProfileFile::SectionReader::stored(std::string_view key) const {
  const auto* found = static_cast<const Section*>(section_);
  if (found == nullptr) return std::nullopt;
  const auto& keys = file_->keyIndex(*found);
  const auto line = keys.find(StoredName(key));
  if (line == keys.end()) return std::nullopt;
  const Line& keyLine = found->body[line->second];
  return TrimBlanks(file_->lineBytes(keyLine).substr(keyLine.valueStart), true);
}

std::vector<std::string_view> ProfileFile::SectionReader::numbered(std::string_view prefix) const {
  const auto* found = static_cast<const Section*>(section_);
  if (found == nullptr) return {};
  // One pass over the lines, no index: the first line of each number wins, as for stored().
  std::vector<std::optional<std::string_view>> byNumber(found->body.size());
  for (const Line& line : found->body) {
    if (line.valueStart == 0) continue;
    const std::string_view bytes = file_->lineBytes(line);
    const std::string_view key = TrimBlanks(bytes.substr(line.keyStart, line.valueStart - 1 - line.keyStart));
    if (key.size() <= prefix.size() || key.size() - prefix.size() > 10) continue;
    const bool prefixMatches = std::equal(prefix.begin(), prefix.end(), key.begin(),
                                          [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
    const std::string_view digits = key.substr(prefix.size());
    if (!prefixMatches || (digits.size() > 1 && digits[0] == '0')) continue;
    std::uint64_t number = 0;
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    for (char c : digits) number = number * 10 + static_cast<std::uint64_t>(c - '0');
    if (number < byNumber.size() && !byNumber[number])
      byNumber[number] = TrimBlanks(bytes.substr(line.valueStart), true);
  }
  std::vector<std::string_view> values;
  for (const auto& value : byNumber) {
    if (!value) break;
    values.push_back(*value);
  }
  return values;
}

std::unordered_map<std::string, std::size_t>& ProfileFile::keyIndex(const Section& section) const {
  if (!section.keys) {
    section.keys.emplace();
    for (std::size_t i = 0; i < section.body.size(); ++i) {
      const Line& line = section.body[i];
      if (line.valueStart == 0) continue;
      const std::string_view bytes = lineBytes(line);
      section.keys->emplace(FoldCp932Name(bytes.substr(line.keyStart, line.valueStart - 1 - line.keyStart)), i);
    }
  }
  return *section.keys;
}

std::string ProfileFile::read(std::string_view section, std::string_view key) const {
  const auto value = this->section(section).stored(key);
  return value ? Cp932ToUtf8(*value) : std::string();
}

void ProfileFile::write(std::string_view section, std::string_view key, std::string_view value) {
  const std::string storedKey = Utf8ToCp932(NoLineBreaks(key));
  Line line = writtenLine(storedKey + "=" + Utf8ToCp932(NoLineBreaks(value)), storedKey.size() + 1);
  const std::string foldedKey = FoldCp932Name(storedKey);

  const std::string storedSection = Utf8ToCp932(NoLineBreaks(section));
  Section* target = findSection(FoldCp932Name(storedSection));
  if (target == nullptr) target = &appendEmptySection(storedSection);

  auto& keys = keyIndex(*target);
  const auto existing = keys.find(foldedKey);
  if (existing != keys.end()) {
    target->body[existing->second] = std::move(line);
    return;
  }
  // Insert after the last non-blank line so blank lines stay between sections.
  std::size_t at = target->body.size();
  while (at > 0 && IsBlankLine(lineBytes(target->body[at - 1]))) --at;
  Line& before = at > 0 ? target->body[at - 1] : target->header;
  if (before.ending == Ending::None) before.ending = Ending::CrLf;
  // Only blank lines follow the insertion point, so no indexed key moves.
  target->body.insert(target->body.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  keys.emplace(foldedKey, at);
}

void ProfileFile::deleteSection(std::string_view section) {
  const std::string folded = StoredName(section);
  std::erase_if(sections_, [&folded](const Section& s) { return s.name == folded || s.utf8Name == folded; });
  indexSections();
}

ProfileFile::SectionWriter ProfileFile::appendSection(std::string_view section) {
  appendEmptySection(Utf8ToCp932(NoLineBreaks(section)));
  SectionWriter writer;
  writer.file_ = this;
  writer.section_ = sections_.size() - 1;
  return writer;
}

void ProfileFile::SectionWriter::append(std::string_view key, std::string_view storedValue) {
  std::string& out = file_->written_;
  Line line;
  line.written = true;
  line.begin = out.size();
  out += Utf8ToCp932(NoLineBreaks(key));
  out += '=';
  line.valueStart = out.size() - line.begin;
  const std::size_t valueBegin = out.size();
  out += storedValue;
  std::replace_if(
      out.begin() + static_cast<std::ptrdiff_t>(valueBegin), out.end(), [](char c) { return c == '\r' || c == '\n'; },
      ' ');
  line.length = out.size() - line.begin;
  line.ending = Ending::CrLf;
  Section& section = file_->sections_[section_];
  if (section.keys)
    section.keys->emplace(FoldCp932Name(file_->lineBytes(line).substr(0, line.valueStart - 1)), section.body.size());
  section.body.push_back(line);
}

ProfileFile::Line ProfileFile::writtenLine(std::string_view bytes, std::size_t valueStart) {
  Line line;
  line.written = true;
  line.begin = written_.size();
  line.length = bytes.size();
  line.valueStart = valueStart;
  line.ending = Ending::CrLf;
  written_ += bytes;
  return line;
}

ProfileFile::Section& ProfileFile::appendEmptySection(const std::string& storedName) {
  // The line before a new header must be ended, or the header would join it.
  std::vector<Line>& last = sections_.empty() ? preamble_ : sections_.back().body;
  Line* lastLine = !last.empty() ? &last.back() : (sections_.empty() ? nullptr : &sections_.back().header);
  if (lastLine != nullptr && lastLine->ending == Ending::None) lastLine->ending = Ending::CrLf;

  Section added;
  added.header = writtenLine("[" + storedName + "]", 0);
  added.name = FoldCp932Name(storedName);
  sectionIndex_.emplace(added.name, sections_.size());
  return sections_.emplace_back(std::move(added));
}

std::string ProfileFile::bytes() const {
  auto ending = [](const Line& line) -> std::string_view {
    return line.ending == Ending::CrLf ? "\r\n" : line.ending == Ending::Lf ? "\n" : "";
  };
  std::size_t total = 0;
  auto measure = [&](const Line& line) { total += line.length + ending(line).size(); };
  for (const Line& line : preamble_) measure(line);
  for (const Section& section : sections_) {
    measure(section.header);
    for (const Line& line : section.body) measure(line);
  }
  std::string out;
  out.reserve(total);
  auto append = [&](const Line& line) {
    out += lineBytes(line);
    out += ending(line);
  };
  for (const Line& line : preamble_) append(line);
  for (const Section& section : sections_) {
    append(section.header);
    for (const Line& line : section.body) append(line);
  }
  return out;
}

}  // namespace serialix

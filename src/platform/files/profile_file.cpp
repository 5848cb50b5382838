#include "platform/files/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/files/atomic_file.h"
#include "platform/files/codepage932.h"
#include "platform/files/huge_pages.h"
#include "platform/files/unique_fd.h"

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

// Names compare as decoded text with ASCII letters folded; UTF-8 bytes of
// other characters are all >= 0x80 and pass through unchanged.
std::string FoldName(std::string_view utf8) {
  std::string folded(TrimBlanks(utf8));
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
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
      line.ending = end == lf ? "\n" : "\r\n";
      start = lf + 1;
    }

    const std::string_view raw = bytes.substr(line.begin, line.length);
    const std::size_t first = FirstNonBlank(raw);
    if (first < raw.size() && raw[first] == '[') {
      const std::size_t close = FindChar(raw, ']', first + 1);
      if (close != std::string_view::npos) {
        Section section;
        section.name = FoldCp932Name(raw.substr(first + 1, close - first - 1));
        section.header = std::move(line);
        file.sections_.push_back(std::move(section));
        continue;
      }
    }
    std::vector<Line>& owner = file.sections_.empty() ? file.preamble_ : file.sections_.back().body;
    if (!file.sections_.empty() && !(first < raw.size() && raw[first] == ';')) {
      const std::size_t equals = FindChar(raw, '=');
      if (equals != std::string_view::npos) {
        line.valueStart = equals + 1;
        file.sections_.back().keys.emplace(FoldCp932Name(raw.substr(0, equals)), owner.size());
      }
    }
    owner.push_back(std::move(line));
  }
  file.indexSections();
  return file;
}

ProfileFile ProfileFile::load(const std::filesystem::path& path) {
  auto file = loadFile(path);
  return file ? std::move(*file) : ProfileFile();
}

std::optional<ProfileFile> ProfileFile::loadFile(const std::filesystem::path& path, std::string* error) {
  auto fail = [error](std::string reason) {
    if (error != nullptr) *error = std::move(reason);
    return std::nullopt;
  };
  // Only regular files: a folder, a pipe or a device is not a profile, and opening a pipe
  // would wait for a writer.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return fail(std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return fail(NotRegularFileReason());
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd) return fail(std::strerror(errno));
  // Read into a buffer that is never zeroed first: the file may be a hundred megabytes.
  std::size_t capacity = 0;
  std::unique_ptr<char[]> bytes;
  std::size_t used = 0;
  int code = 0;
  if (::fstat(fd.get(), &info) != 0) {
    code = errno;
  } else if (!S_ISREG(info.st_mode)) {  // replaced since the check above
    return fail(NotRegularFileReason());
  } else {
    capacity = static_cast<std::size_t>(info.st_size) + 1;  // one more byte sees the end at once
    bytes = std::make_unique_for_overwrite<char[]>(capacity);
    AdviseHugePages(bytes.get(), capacity);
    for (;;) {
      if (used == capacity) {  // the file has grown since fstat
        auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
        std::copy(bytes.get(), bytes.get() + used, larger.get());
        bytes = std::move(larger);
        capacity *= 2;
      }
      const ssize_t got = ::read(fd.get(), bytes.get() + used, capacity - used);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) code = errno;
      if (got <= 0) break;
      used += static_cast<std::size_t>(got);
    }
  }
  if (code != 0) return fail(std::strerror(code));
  return parse(std::shared_ptr<const char[]>(std::move(bytes)), used);
}

void ProfileFile::indexSections() {
  sectionIndex_.clear();
  for (std::size_t i = 0; i < sections_.size(); ++i) sectionIndex_.emplace(sections_[i].name, i);
}

ProfileFile::Section* ProfileFile::findSection(const std::string& folded) {
  const auto found = sectionIndex_.find(folded);
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

const ProfileFile::Section* ProfileFile::findSection(const std::string& folded) const {
  const auto found = sectionIndex_.find(folded);
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

std::string ProfileFile::read(std::string_view section, std::string_view key) const {
  const Section* found = findSection(StoredName(section));
  if (found == nullptr) return {};
  const auto line = found->keys.find(StoredName(key));
  if (line == found->keys.end()) return {};
  const Line& keyLine = found->body[line->second];
  const std::string_view value = lineBytes(keyLine).substr(keyLine.valueStart);
  // Trimmed in place: a value may be a hundred megabytes.
  std::string text = Cp932ToUtf8(value);
  const std::string_view kept = TrimBlanks(text, true);
  const auto begin = static_cast<std::size_t>(kept.data() - text.data());
  text.resize(begin + kept.size());
  text.erase(0, begin);
  return text;
}

void ProfileFile::write(std::string_view section, std::string_view key, std::string_view value) {
  const std::string storedKey = Utf8ToCp932(NoLineBreaks(key));
  Line line;
  line.written = storedKey + "=" + Utf8ToCp932(NoLineBreaks(value));  // never empty
  line.ending = "\r\n";
  line.valueStart = storedKey.size() + 1;
  const std::string foldedKey = FoldCp932Name(storedKey);

  const std::string storedSection = Utf8ToCp932(NoLineBreaks(section));
  const std::string foldedSection = FoldCp932Name(storedSection);
  Section* target = findSection(foldedSection);
  if (target == nullptr) {
    // The line before a new header must be ended, or the header would join it.
    std::vector<Line>& last = sections_.empty() ? preamble_ : sections_.back().body;
    Line* lastLine = !last.empty() ? &last.back() : (sections_.empty() ? nullptr : &sections_.back().header);
    if (lastLine != nullptr && lastLine->ending.empty()) lastLine->ending = "\r\n";

    Section added;
    added.header.written = "[" + storedSection + "]";
    added.header.ending = "\r\n";
    added.name = foldedSection;
    sectionIndex_.emplace(added.name, sections_.size());
    sections_.push_back(std::move(added));
    target = &sections_.back();
  }

  const auto existing = target->keys.find(foldedKey);
  if (existing != target->keys.end()) {
    target->body[existing->second] = std::move(line);
    return;
  }
  // Insert after the last non-blank line so blank lines stay between sections.
  std::size_t at = target->body.size();
  while (at > 0 && IsBlankLine(lineBytes(target->body[at - 1]))) --at;
  Line& before = at > 0 ? target->body[at - 1] : target->header;
  if (before.ending.empty()) before.ending = "\r\n";
  // Only blank lines follow the insertion point, so no indexed key moves.
  target->body.insert(target->body.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  target->keys.emplace(foldedKey, at);
}

void ProfileFile::deleteSection(std::string_view section) {
  const std::string folded = StoredName(section);
  std::erase_if(sections_, [&folded](const Section& s) { return s.name == folded; });
  indexSections();
}

std::string ProfileFile::bytes() const {
  std::size_t total = 0;
  auto measure = [this, &total](const Line& line) { total += lineBytes(line).size() + line.ending.size(); };
  for (const Line& line : preamble_) measure(line);
  for (const Section& section : sections_) {
    measure(section.header);
    for (const Line& line : section.body) measure(line);
  }
  std::string out;
  out.reserve(total);
  auto append = [this, &out](const Line& line) {
    out += lineBytes(line);
    out += line.ending;
  };
  for (const Line& line : preamble_) append(line);
  for (const Section& section : sections_) {
    append(section.header);
    for (const Line& line : section.body) append(line);
  }
  return out;
}

}  // namespace serialix

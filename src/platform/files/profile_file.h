// A profile (INI) file as set.ini uses it: "[section]" header lines and
// "key=value" lines, code page 932 on disk with CR LF line ends, UTF-8 in the API.
//
// Behaviour:
// - Section and key names match without regard to ASCII letter case; other
//   characters (Japanese names included) must match exactly, compared as
//   decoded text. Blanks (space, tab) around names are ignored. A name given
//   to any function means the name as the file holds it: a character the code
//   page lacks is "?" there, so "é" and "?" name the same key. The profile thus
//   reads the same before and after it is saved and parsed again.
// - Reading an absent key and reading an empty value both give "". Blanks
//   (space, tab, stray CR) around a value are dropped; quotes are kept.
//   Values come back whole, however long.
// - The first matching section and, within it, the first matching key win, for
//   reading and for writing. Later duplicates are kept but never seen.
// - write() replaces the line of an existing key, otherwise inserts the line
//   after the last non-blank line of the section; a missing section is appended
//   at the end of the file. Written lines end in CR LF. CR and LF in a section,
//   key or value are written as spaces so a write can never add lines.
// - deleteSection() removes the header and every line up to the next header,
//   for every section of that name, so no duplicate can resurface afterwards.
// - Every line a write does not concern keeps its exact bytes and line end.
//
// Lines are split at LF (a CR before it belongs to the line end) and decoded
// from code page 932 before "[", "]", "=" and ";" are looked for, so the second
// byte of a double-byte character is never taken for one of them. A line is:
// - a header when, blanks aside, it starts with "[" and has a "]" later on;
//   the name is the text between them, anything after "]" is ignored;
// - a comment when, blanks aside, it starts with ";" (never read as a key);
// - a key line when it has an "=": the key is the text before the first "=";
// - anything else (blank lines, text without "=", bytes that do not decode) is
//   kept as it is and means nothing.
// Lines before the first header belong to no section and are never read.
// Bytes that are not code page 932 decode as U+FFFD; NUL is an ordinary
// character. Parsing is linear in the file size and keys are indexed, so
// files with huge lines or very many keys load and read quickly.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace serialix {

class ProfileFile {
 public:
  static ProfileFile parse(std::string_view bytes);
  // A missing or unreadable file gives an empty profile.
  static ProfileFile load(const std::filesystem::path& file);
  // Reads a regular file (a symbolic link to one included) without ever blocking: a folder,
  // pipe, device or socket is refused before it is opened. Nothing, with the reason in
  // `error`, when the file is missing or cannot be read whole.
  static std::optional<ProfileFile> loadFile(const std::filesystem::path& file, std::string* error = nullptr);

  std::string read(std::string_view section, std::string_view key) const;
  void write(std::string_view section, std::string_view key, std::string_view value);
  void deleteSection(std::string_view section);
  // The file content: code page 932, CR LF for every line written here.
  std::string bytes() const;

 private:
  // A line as read stays in the file's bytes (a value may be a hundred megabytes, and is
  // never copied); a line written here holds its own.
  struct Line {
    std::string written;         // without its line end; empty for a line as read
    std::size_t begin = 0;       // a line as read: where it starts in source_
    std::size_t length = 0;      // a line as read: its length without the line end
    std::string_view ending;     // "\r\n", "\n" or "" (last line only)
    std::size_t valueStart = 0;  // key lines: byte offset after the "="
  };
  std::string_view lineBytes(const Line& line) const {
    return line.written.empty() ? std::string_view(source_.get() + line.begin, line.length)
                                : std::string_view(line.written);
  }
  static ProfileFile parse(std::shared_ptr<const char[]> bytes, std::size_t size);
  struct Section {
    Line header;
    std::string name;  // decoded and folded
    std::vector<Line> body;
    std::unordered_map<std::string, std::size_t> keys;  // folded key -> first line in body
  };

  void indexSections();
  Section* findSection(const std::string& folded);
  const Section* findSection(const std::string& folded) const;

  std::shared_ptr<const char[]> source_;  // the file as read; never changed, so copies share it
  std::vector<Line> preamble_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first section
};

}  // namespace serialix

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
// character. A file edited as UTF-8 is still read as code page 932, but a
// header whose name is valid UTF-8 also answers to that reading, and a UTF-8
// byte-order mark before the first line is passed over, so such a file's
// sections are found and never doubled by a write. Parsing is linear in the file size; a
// section's keys are indexed when one is first looked up, and numbered() reads a whole list
// of keys in one pass, so files with huge lines or a million keys load and save quickly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

namespace serialix {

class ProfileFile {
 public:
  static ProfileFile parse(std::string_view bytes);
  // Reads a regular file (a symbolic link to one included) without ever blocking: a folder,
  // pipe, device or socket is refused before it is opened (a FileKind code). Nothing, with the
  // reason in `error`, when the file is missing or cannot be read whole.
  static std::optional<ProfileFile> loadFile(const std::filesystem::path& file, std::error_code* error = nullptr);

  std::string read(std::string_view section, std::string_view key) const;
  void write(std::string_view section, std::string_view key, std::string_view value);
  void deleteSection(std::string_view section);

  // Many keys of one section, the section looked up once: values as the file holds their
  // bytes (blanks around them dropped, nothing decoded); nothing for an absent key.
  class SectionReader {
   public:
    // Valid until the profile changes.
    std::optional<std::string_view> stored(std::string_view key) const;
    // The values of `prefix` followed by 0, 1, 2, ... (decimal, no leading zeros), as stored(),
    // up to the first key that is absent. `prefix` is ASCII.
    std::vector<std::string_view> numbered(std::string_view prefix) const;

   private:
    friend class ProfileFile;
    const ProfileFile* file_ = nullptr;
    const void* section_ = nullptr;  // the first section of that name; null when none
  };
  SectionReader section(std::string_view name) const;

  // Appends a section at the end of the file, for key lines appended in order: keys as text,
  // values as the bytes to store (CR and LF become spaces). An earlier section of that name
  // stays the one read and written.
  class SectionWriter {
   public:
    void append(std::string_view key, std::string_view storedValue);

   private:
    friend class ProfileFile;
    ProfileFile* file_ = nullptr;
    std::size_t section_ = 0;
  };
  SectionWriter appendSection(std::string_view section);

  // The whole file is valid UTF-8 with characters beyond ASCII: edited as UTF-8, not code
  // page 932 (no file this program writes is valid UTF-8 once it holds a Japanese name).
  bool isUtf8() const { return utf8_; }
  // The file content: code page 932, CR LF for every line written here.
  std::string bytes() const;

 private:
  // A line as read stays in the file's bytes (a value may be a hundred megabytes, and is
  // never copied); a line written here lives in written_. Small, as a file may have a million.
  enum class Ending : std::uint8_t { None, Lf, CrLf };
  struct Line {
    std::size_t begin = 0;       // where it starts in source_ (or written_)
    std::size_t length = 0;      // without its line end
    std::size_t valueStart = 0;  // key lines: byte offset after the "="; 0 for other lines
    std::uint8_t keyStart = 0;   // key lines: byte offset of the key (after a byte-order mark)
    bool written = false;
    Ending ending = Ending::None;
  };
  std::string_view lineBytes(const Line& line) const {
    return line.written ? std::string_view(written_).substr(line.begin, line.length)
                        : std::string_view(source_.get() + line.begin, line.length);
  }
  // A line with these bytes in written_, ended by CR LF.
  Line writtenLine(std::string_view bytes, std::size_t valueStart);
  static ProfileFile parse(std::shared_ptr<const char[]> bytes, std::size_t size);
  struct Section {
    Line header;
    std::string name;      // decoded and folded
    std::string utf8Name;  // folded, when the name's bytes are UTF-8 beyond ASCII
    std::vector<Line> body;
    // Folded key -> first line in body; built on the first look-up.
    mutable std::optional<std::unordered_map<std::string, std::size_t>> keys;
  };
  std::unordered_map<std::string, std::size_t>& keyIndex(const Section& section) const;

  void indexSections();
  Section& appendEmptySection(const std::string& storedName);
  Section* findSection(const std::string& folded);
  const Section* findSection(const std::string& folded) const;

  std::shared_ptr<const char[]> source_;  // the file as read; never changed, so copies share it
  std::string written_;                   // the bytes of every line written here, one after another
  std::vector<Line> preamble_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first section
  bool utf8_ = false;
};

}  // namespace serialix

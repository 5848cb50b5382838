#include "settings/settings.h"

#include <fcntl.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "platform/files/codepage932.h"
#include "platform/files/file_exists.h"
#include "platform/files/folder_writable.h"
#include "platform/files/profile_file.h"
#include "platform/files/replaced_file.h"
#include "platform/files/unique_fd.h"

namespace serialix {
namespace {

constexpr char kPositionSection[] = "ｳｨﾝﾄﾞｳ位置";
constexpr char kLeftKey[] = "frmMain.Left";
constexpr char kTopKey[] = "frmMain.Top";
// What earlier versions never stored has a section of its own, which they never read.
constexpr char kOwnSection[] = "Serialix";
constexpr char kHttpsKey[] = "Https";

struct HistorySection {
  const char* section;
  const char* keyPrefix;
  std::vector<std::string_view> HistorySnapshot::*stored;
  std::vector<std::string> StoredSettings::*entries;
};
constexpr HistorySection kHistories[] = {
    {"URL", "cmbB.List", &HistorySnapshot::hosts, &StoredSettings::hosts},
    {"記号", "cmbk.List", &HistorySnapshot::symbols, &StoredSettings::symbols},
    {"拡張子", "cmbN.List", &HistorySnapshot::extensions, &StoredSettings::extensions},
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsQuotePair(std::string_view text) {
  return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
}

// A profile reader drops the blanks around a value and then one pair of matching quotes, so a
// value that would lose either must be written inside quotes; everything else is written as it
// is, as earlier versions did. Blanks and quotes are never part of a double-byte character, so
// this works on the stored bytes.
bool NeedsQuotes(std::string_view stored) {
  return (!stored.empty() && (IsBlank(stored.front()) || IsBlank(stored.back()))) || IsQuotePair(stored);
}

// The values of a list as stored, from index 0 up to the first absent or empty key; valid while
// the file is unchanged.
std::vector<std::string_view> ReadStoredList(const ProfileFile& file, const HistorySection& list) {
  std::vector<std::string_view> values = file.section(list.section).numbered(list.keyPrefix);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (IsQuotePair(values[i])) values[i] = values[i].substr(1, values[i].size() - 2);
    if (values[i].empty()) {
      values.resize(i);
      break;
    }
  }
  return values;
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Stored values that do not come back as the same bytes once decoded and encoded again (bytes
// of no code page 932 character, or UTF-8 from a hand edit), by the text they read as.
template <typename Values>
void AddUnencodable(const Values& stored, std::unordered_map<std::string, std::string_view>& bytesByText) {
  for (std::string_view value : stored) {
    if (IsAscii(value)) continue;
    std::string text = Cp932ToUtf8(value);
    if (Utf8ToCp932(text) != value) bytesByText.emplace(std::move(text), value);
  }
}

// The values to write for one list: the session's entries, each as the file held its bytes when
// it reads as the entry, then what another instance added since the session read the file.
std::vector<std::string> ListToWrite(const std::vector<std::string>& entries,
                                     const std::vector<std::string_view>& inFile,
                                     const std::vector<std::string_view>* asRead) {
  const bool fileChanged =
      asRead != nullptr && !std::equal(asRead->begin(), asRead->end(), inFile.begin(), inFile.end());
  std::unordered_map<std::string, std::string_view> bytesByText;
  AddUnencodable(inFile, bytesByText);
  if (fileChanged) AddUnencodable(*asRead, bytesByText);

  std::vector<std::string> stored;
  stored.reserve(entries.size());
  for (const std::string& entry : entries) {
    // Empty and all-blank entries would read back empty and end the list there, so they are
    // left out and the entries after them close up.
    if (std::all_of(entry.begin(), entry.end(), IsBlank)) continue;
    const auto kept = bytesByText.find(entry);
    stored.push_back(kept != bytesByText.end() ? std::string(kept->second) : Utf8ToCp932(entry));
  }
  if (!fileChanged) return stored;

  // `known` holds views into `stored`, so appending must not move its strings.
  stored.reserve(stored.size() + inFile.size());
  const std::unordered_set<std::string_view> known = [&] {
    std::unordered_set<std::string_view> seen(asRead->begin(), asRead->end());
    seen.insert(stored.begin(), stored.end());
    return seen;
  }();
  for (std::string_view value : inFile) {
    if (!known.contains(value)) stored.emplace_back(value);
  }
  return stored;
}

void WriteList(ProfileFile& file, const HistorySection& list, const std::vector<std::string>& stored) {
  if (stored.empty()) return;
  ProfileFile::SectionWriter section = file.appendSection(list.section);
  std::string key = list.keyPrefix;
  const std::size_t prefixLength = key.size();
  for (std::size_t i = 0; i < stored.size(); ++i) {
    key.resize(prefixLength);
    key += std::to_string(i);
    if (NeedsQuotes(stored[i]))
      section.append(key, "\"" + stored[i] + "\"");
    else
      section.append(key, stored[i]);
  }
}

std::vector<std::string> DefaultSymbols() {
  return {"-", "~", "_", "."};
}
std::vector<std::string> DefaultExtensions() {
  return {"mpg", "mpeg", "mov", "rm", "ram"};
}

}  // namespace

std::string FormatPosition(double twips) {
  if (!std::isfinite(twips)) return {};
  float value = static_cast<float>(twips);
  if (!std::isfinite(value)) return {};
  if (value == 0.0f) value = 0.0f;  // never "-0"
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc()) return {};
  return std::string(buffer, result.ptr);
}

std::optional<double> ParsePosition(const std::string& text) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (begin != end && *begin == '+') {
    ++begin;
    if (begin != end && *begin == '-') return std::nullopt;
  }
  double value = 0;
  const auto result = std::from_chars(begin, end, value);
  if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) return std::nullopt;
  // Farther out than any screen could be; such a value cannot place a window.
  constexpr double kLimit = std::numeric_limits<std::int32_t>::max();
  if (std::fabs(value) > kLimit) return std::nullopt;
  return value;
}

StoredSettings LoadSettings(const std::filesystem::path& iniFile) {
  RemoveStaleTemporaries(iniFile);
  StoredSettings settings;
  std::optional<ProfileFile> file;
  if (FileExists(iniFile)) {
    std::error_code why;
    file = ProfileFile::loadFile(iniFile, &why);
    if (!file) settings.unreadable = why;
  } else {
    // A failed creation is not reported; the close writes the file anyway.
    UniqueFd(::open(iniFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  }
  if (!file) {
    settings.symbols = DefaultSymbols();
    settings.extensions = DefaultExtensions();
    return settings;
  }
  settings.left = ParsePosition(file->read(kPositionSection, kLeftKey));
  settings.top = ParsePosition(file->read(kPositionSection, kTopKey));
  settings.utf8 = file->isUtf8();
  settings.https = file->read(kOwnSection, kHttpsKey) == "1";
  // The snapshot's views point into the file as read, which it keeps.
  const auto kept = std::make_shared<const ProfileFile>(std::move(*file));
  settings.asRead.bytes = kept;
  for (const HistorySection& list : kHistories) {
    std::vector<std::string_view>& stored = settings.asRead.*list.stored;
    stored = ReadStoredList(*kept, list);
    std::vector<std::string>& entries = settings.*list.entries;
    entries.reserve(stored.size());
    for (std::string_view value : stored) entries.push_back(Cp932ToUtf8(value));
  }
  return settings;
}

bool SaveSettings(const std::filesystem::path& iniFile, double left, double top, const std::vector<std::string>& hosts,
                  const std::vector<std::string>& symbols, const std::vector<std::string>& extensions,
                  std::error_code* error, HistorySnapshot* session, bool https) {
  ProfileFile file;
  if (FileExists(iniFile)) {
    // A file that cannot be read is never replaced: its content would be lost.
    std::error_code why;
    auto loaded = ProfileFile::loadFile(iniFile, &why);
    if (!loaded) {
      if (error != nullptr) *error = why;
      return false;
    }
    file = std::move(*loaded);
  }
  const std::vector<std::string>* entries[] = {&hosts, &symbols, &extensions};
  auto written = std::make_shared<std::array<std::vector<std::string>, std::size(kHistories)>>();
  for (std::size_t i = 0; i < std::size(kHistories); ++i) {
    const HistorySection& list = kHistories[i];
    (*written)[i] = ListToWrite(*entries[i], ReadStoredList(file, list), session ? &(session->*list.stored) : nullptr);
  }
  for (const HistorySection& list : kHistories) file.deleteSection(list.section);
  file.write(kPositionSection, kLeftKey, FormatPosition(left));
  file.write(kPositionSection, kTopKey, FormatPosition(top));
  if (https || !file.read(kOwnSection, kHttpsKey).empty()) file.write(kOwnSection, kHttpsKey, https ? "1" : "0");
  for (std::size_t i = 0; i < std::size(kHistories); ++i) WriteList(file, kHistories[i], (*written)[i]);
  try {
    ReplacedFile out(iniFile);
    out.write(file.bytes());
    out.commit();
  } catch (const std::system_error& failure) {
    if (error != nullptr) *error = failure.code();
    return false;
  }
  if (session != nullptr) {
    for (std::size_t i = 0; i < std::size(kHistories); ++i)
      session->*kHistories[i].stored = std::vector<std::string_view>((*written)[i].begin(), (*written)[i].end());
    session->bytes = std::move(written);
  }
  return true;
}

std::filesystem::path SettingsFilePath(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& fallbackFolder) {
  if (FolderIsWritable(programFolder)) return programFolder / "set.ini";
  std::error_code error;
  std::filesystem::create_directories(fallbackFolder, error);
  return fallbackFolder / "set.ini";
}

}  // namespace serialix

#include "settings/settings.h"

#include <fcntl.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

#include "platform/files/atomic_file.h"
#include "platform/files/file_exists.h"
#include "platform/files/folder_writable.h"
#include "platform/files/profile_file.h"
#include "platform/files/unique_fd.h"

namespace serialix {
namespace {

constexpr char kPositionSection[] = "ｳｨﾝﾄﾞｳ位置";
constexpr char kLeftKey[] = "frmMain.Left";
constexpr char kTopKey[] = "frmMain.Top";

struct HistorySection {
  const char* section;
  const char* keyPrefix;
};
constexpr HistorySection kHosts{"URL", "cmbB.List"};
constexpr HistorySection kSymbols{"記号", "cmbk.List"};
constexpr HistorySection kExtensions{"拡張子", "cmbN.List"};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsQuotePair(std::string_view text) {
  return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
}

// A profile reader drops the blanks around a value and then one pair of matching quotes, so a
// value that would lose either is written inside quotes; everything else is written as it is,
// as earlier versions did.
std::string StoredValue(const std::string& entry) {
  const bool blankEdge = !entry.empty() && (IsBlank(entry.front()) || IsBlank(entry.back()));
  return blankEdge || IsQuotePair(entry) ? "\"" + entry + "\"" : entry;
}

std::string EntryFromStored(std::string value) {
  if (IsQuotePair(value)) {  // in place: a value may be a hundred megabytes
    value.pop_back();
    value.erase(0, 1);
  }
  return value;
}

std::vector<std::string> ReadList(const ProfileFile& file, const HistorySection& list) {
  std::vector<std::string> entries;
  for (std::int32_t i = 0; i < std::numeric_limits<std::int32_t>::max(); ++i) {
    std::string value = EntryFromStored(file.read(list.section, list.keyPrefix + std::to_string(i)));
    if (value.empty()) break;
    entries.push_back(std::move(value));
  }
  return entries;
}

// Empty and all-blank entries would read back empty and end the list there, so they are left
// out and the entries after them close up.
void WriteList(ProfileFile& file, const HistorySection& list, const std::vector<std::string>& entries) {
  std::size_t index = 0;
  for (const std::string& entry : entries) {
    if (std::all_of(entry.begin(), entry.end(), IsBlank)) continue;
    file.write(list.section, list.keyPrefix + std::to_string(index++), StoredValue(entry));
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
    file = ProfileFile::loadFile(iniFile, &settings.unreadable);
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
  settings.hosts = ReadList(*file, kHosts);
  settings.symbols = ReadList(*file, kSymbols);
  settings.extensions = ReadList(*file, kExtensions);
  return settings;
}

bool SaveSettings(const std::filesystem::path& iniFile, double left, double top, const std::vector<std::string>& hosts,
                  const std::vector<std::string>& symbols, const std::vector<std::string>& extensions,
                  std::string* error) {
  ProfileFile file;
  if (FileExists(iniFile)) {
    // A file that cannot be read is never replaced: its content would be lost.
    auto loaded = ProfileFile::loadFile(iniFile, error);
    if (!loaded) return false;
    file = std::move(*loaded);
  }
  file.deleteSection(kHosts.section);
  file.deleteSection(kSymbols.section);
  file.deleteSection(kExtensions.section);
  file.write(kPositionSection, kLeftKey, FormatPosition(left));
  file.write(kPositionSection, kTopKey, FormatPosition(top));
  WriteList(file, kHosts, hosts);
  WriteList(file, kSymbols, symbols);
  WriteList(file, kExtensions, extensions);
  return WriteFileAtomically(iniFile, file.bytes(), error);
}

std::filesystem::path SettingsFilePath(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& fallbackFolder) {
  if (FolderIsWritable(programFolder)) return programFolder / "set.ini";
  std::error_code error;
  std::filesystem::create_directories(fallbackFolder, error);
  return fallbackFolder / "set.ini";
}

}  // namespace serialix

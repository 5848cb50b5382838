// What start-up reads from set.ini and close-down writes back: the window
// position, the three history lists and the https choice.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace serialix {

// The three history lists as this session last read or wrote them: each value's bytes as the
// file holds them (blanks around it and one pair of quotes dropped), in index order. The close
// compares the file with it to find what another instance saved meanwhile.
struct HistorySnapshot {
  std::vector<std::string_view> hosts, symbols, extensions;
  std::shared_ptr<const void> bytes;  // what the views point into: nothing is copied
};

struct StoredSettings {
  // Window position in twips; nothing when the key is missing, empty, not a
  // number or too far out to be a window position (the window then keeps its
  // default placement).
  std::optional<double> left, top;
  std::vector<std::string> hosts, symbols, extensions;  // UTF-8
  // Segment A is "https://": key "Https" of our own section "Serialix" is "1". Missing, empty or
  // anything else means "http://". Earlier versions never read that section.
  bool https = false;
  // Why a set.ini that exists could not be read (not a regular file, no permission, a read
  // error); empty when it was read or did not exist. The lists then hold the defaults of a
  // first start, and the file must be left alone at close.
  std::error_code unreadable;
  // The file is UTF-8, not code page 932; it was read as code page 932 all the same.
  bool utf8 = false;
  HistorySnapshot asRead;
};

// Start-up. Temporaries a killed save left next to the file are removed first.
// A missing file is created empty and the default symbols "-", "~", "_", "."
// and extensions "mpg", "mpeg", "mov", "rm", "ram" are returned; so are they
// for a file that cannot be read (see `unreadable`). Otherwise the position and
// the three lists are read: keys "cmbB.List<i>", "cmbk.List<i>" and
// "cmbN.List<i>" from i = 0 on, the first absent or empty key ending a list;
// one pair of quotes around a value is dropped. Never blocks, never fails.
StoredSettings LoadSettings(const std::filesystem::path& iniFile);

// Close-down: deletes "URL", "記号" and "拡張子", writes "frmMain.Left" then
// "frmMain.Top" into "ｳｨﾝﾄﾞｳ位置" (other keys there stay), then writes the
// entries under indexes from 0 on, leaving out empty and all-blank ones; an
// entry with blanks at either end, or inside a pair of quotes, is written in
// quotes so it reads back exactly. An entry equal to one the file held (as it
// reads) is written back as the file held its bytes, so bytes that are not code
// page 932 survive. With `session`, entries that the file holds now but did not
// hold as the session read it (another instance saved them meanwhile) follow
// the session's own, in their order, unless the session has them too; after a
// save the snapshot is what was written. The file is replaced atomically and
// only when it is a regular file that can be read (or is missing). Returns
// false, with the reason in `error`, when the file could not be written.
// `https` is written as "Https=1" or "Https=0" under "Serialix" once it has been
// chosen or when the file holds the key already; a file that never saw the
// choice gains nothing.
bool SaveSettings(const std::filesystem::path& iniFile, double left, double top, const std::vector<std::string>& hosts,
                  const std::vector<std::string>& symbols, const std::vector<std::string>& extensions,
                  std::error_code* error = nullptr, HistorySnapshot* session = nullptr, bool https = false);

// programFolder/"set.ini" when FolderIsWritable(programFolder), else
// fallbackFolder/"set.ini", creating fallbackFolder when it is missing.
std::filesystem::path SettingsFilePath(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& fallbackFolder);

// The stored form of a position: the decimal text of the value as a
// single-precision number ("975", "-120", "12.5"); "" when not finite.
std::string FormatPosition(double twips);

// The inverse, for a stored text; nothing when it is not a usable position.
std::optional<double> ParsePosition(const std::string& text);

}  // namespace serialix

// The whole result list as one text for the clipboard.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "core/result_list.h"

class QWidget;

namespace serialix {

class Clipboard;
class MessageBox;

// Clipboard text above this size is refused rather than built in memory.
inline constexpr std::uint64_t kClipboardTextLimit = 256ull * 1024 * 1024;

// What the user is told when the list is over the limit.
QString ClipboardTooLargeMessage();

// Every entry followed by the line end, as UTF-8; nothing when it would exceed the limit.
std::optional<std::string> ListText(const ResultList& rows, LineEnd lineEnd);

// Puts ListText on the clipboard (cleared first), or shows ClipboardTooLargeMessage and leaves
// the clipboard as it was. CR LF is the text of "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ", LF that of "すべてコピー (UTF-8, LF)".
bool CopyResultList(QWidget* parent, const ResultList& rows, LineEnd lineEnd, Clipboard& clipboard,
                    MessageBox& messages);

}  // namespace serialix

#include "export/list_text.h"

#include "platform/services/clipboard.h"
#include "platform/services/message_box.h"

namespace serialix {

QString ClipboardTooLargeMessage() {
  return QStringLiteral("一覧が大きすぎてクリップボードにコピーできません（256 MiB まで）。");
}

std::optional<std::string> ListText(const ResultList& rows, LineEnd lineEnd) {
  const std::uint64_t bytes = rows.textBytes(lineEnd);
  if (bytes > kClipboardTextLimit) return std::nullopt;
  std::string text;
  text.reserve(bytes);
  rows.writeAll(
      [&text](std::string_view chunk) {
        text.append(chunk);
        return true;
      },
      lineEnd);
  return text;
}

bool CopyResultList(QWidget* parent, const ResultList& rows, LineEnd lineEnd, Clipboard& clipboard,
                    MessageBox& messages) {
  const std::optional<std::string> text = ListText(rows, lineEnd);
  if (!text) {
    messages.inform(parent, ClipboardTooLargeMessage());
    return false;
  }
  clipboard.clear();
  clipboard.setText(QString::fromStdString(*text));
  return true;
}

}  // namespace serialix

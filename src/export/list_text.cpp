#include "export/list_text.h"

#include <unistd.h>

#include <algorithm>

#include "platform/files/huge_pages.h"
#include "platform/services/clipboard.h"
#include "platform/services/message_box.h"
#include "platform/services/on_demand_mime_data.h"

namespace serialix {

std::uint64_t ClipboardTextLimit() {
  constexpr std::uint64_t kCeiling = 1ull << 30;
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return kCeiling;
  return std::min(kCeiling, static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) / 4);
}

QString ClipboardTooLargeMessage() {
  return QStringLiteral("一覧が大きすぎてクリップボードにコピーできません（%1 MiB まで）。")
      .arg(ClipboardTextLimit() >> 20);
}

QByteArray ListBytes(const ResultList& rows, LineEnd lineEnd) {
  const auto size = static_cast<qsizetype>(rows.textBytes(lineEnd));
  // The lines are made in the array itself, which shrinks to the text afterwards.
  QByteArray bytes(size + static_cast<qsizetype>(kOdometerSlack), Qt::Uninitialized);
  AdviseHugePages(bytes.data(), static_cast<std::size_t>(bytes.size()));
  rows.writeAllTo(bytes.data(), lineEnd);
  bytes.resize(size);
  return bytes;
}

std::unique_ptr<OnDemandMimeData> ListMimeData(const ResultList& rows, LineEnd lineEnd) {
  auto data = std::make_unique<OnDemandMimeData>();
  auto produce = [rows = std::make_shared<const ResultList>(rows), lineEnd] { return ListBytes(*rows, lineEnd); };
  data->addFormat(QStringLiteral("text/plain;charset=utf-8"), produce);
  data->addFormat(QStringLiteral("text/plain"), produce);  // with UTF8_STRING, STRING and TEXT on X11
  return data;
}

bool CopyResultList(QWidget* parent, const ResultList& rows, LineEnd lineEnd, Clipboard& clipboard,
                    MessageBox& messages) {
  if (rows.textBytes(lineEnd) > ClipboardTextLimit()) {
    messages.inform(parent, ClipboardTooLargeMessage());
    return false;
  }
  clipboard.clear();
  clipboard.setMimeData(ListMimeData(rows, lineEnd));
  return true;
}

}  // namespace serialix

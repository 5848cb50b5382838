#include "export/list_text.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/files/huge_pages.h"
#include "platform/services/clipboard.h"
#include "platform/services/on_demand_mime_data.h"

namespace serialix {

std::uint64_t ClipboardTextLimit() {
  constexpr std::uint64_t kCeiling = 1ull << 30;
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return kCeiling;
  return std::min(kCeiling, static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) / 4);
}

QByteArray ListBytes(const ResultList& rows, LineEnd lineEnd) {
  QByteArray bytes(static_cast<qsizetype>(rows.textBytes(lineEnd)), Qt::Uninitialized);
  AdviseHugePages(bytes.data(), static_cast<std::size_t>(bytes.size()));
  char* out = bytes.data();
  rows.writeAll(
      [&out](std::string_view chunk) {
        std::memcpy(out, chunk.data(), chunk.size());
        out += chunk.size();
        return true;
      },
      lineEnd);
  return bytes;
}

std::unique_ptr<OnDemandMimeData> ListMimeData(const ResultList& rows, LineEnd lineEnd) {
  auto data = std::make_unique<OnDemandMimeData>();
  auto produce = [rows = std::make_shared<const ResultList>(rows), lineEnd] { return ListBytes(*rows, lineEnd); };
  data->addFormat(QStringLiteral("text/plain;charset=utf-8"), produce);
  data->addFormat(QStringLiteral("text/plain"), produce);  // with UTF8_STRING, STRING and TEXT on X11
  return data;
}

bool CopyResultList(const ResultList& rows, LineEnd lineEnd, Clipboard& clipboard) {
  if (rows.textBytes(lineEnd) > ClipboardTextLimit()) return false;
  clipboard.clear();
  clipboard.setMimeData(ListMimeData(rows, lineEnd));
  return true;
}

}  // namespace serialix

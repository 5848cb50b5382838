#include "export/list_text.h"

#include <unistd.h>

#include <algorithm>
#include <utility>

#include "core/list_text_reader.h"
#include "export/uri_list.h"
#include "platform/files/huge_pages.h"
#include "platform/services/clipboard.h"
#include "platform/services/on_demand_mime_data.h"
#include "platform/services/url_opener.h"

namespace serialix {

std::uint64_t ClipboardTextLimit() {
  constexpr std::uint64_t kCeiling = 1ull << 30;
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return kCeiling;
  return std::min(kCeiling, static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) / 4);
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

OnDemandMimeData::Pieces ListPieces(std::shared_ptr<const ResultList> rows, LineEnd lineEnd) {
  const std::uint64_t size = rows->textBytes(lineEnd);
  auto reader = std::make_shared<ListTextReader>(std::move(rows), lineEnd);
  return {size, [reader](std::size_t bytes, std::string& out) { return reader->read(bytes, out); }};
}

namespace {

const QStringList& TextFormats() {
  // text/plain comes with UTF8_STRING, STRING and TEXT on X11.
  static const QStringList names{QStringLiteral("text/plain;charset=utf-8"), QStringLiteral("text/plain")};
  return names;
}

}  // namespace

std::unique_ptr<OnDemandMimeData> ListMimeData(const ResultList& rows, LineEnd lineEnd, OnDemandMimeData::Made made) {
  auto data = std::make_unique<OnDemandMimeData>(made);
  auto held = std::make_shared<const ResultList>(rows);
  if (lineEnd == LineEnd::Lf) {
    data->addFormat(
        QStringList{QStringLiteral("text/uri-list")}, [held] { return UriListBytes(*held); },
        [held] { return UriListPieces(held); });
  }
  data->addFormat(
      TextFormats(), [held, lineEnd] { return ListBytes(*held, lineEnd); },
      [held, lineEnd] { return ListPieces(held, lineEnd); });
  return data;
}

bool ListMimeDataFits(const ResultList& rows, LineEnd lineEnd) {
  const std::uint64_t limit = ClipboardTextLimit();
  if (rows.textBytes(lineEnd) > limit) return false;
  return lineEnd == LineEnd::CrLf || UriListFits(rows, limit);
}

std::unique_ptr<OnDemandMimeData> AddressMimeData(const QString& address) {
  auto data = std::make_unique<OnDemandMimeData>(OnDemandMimeData::Made::Kept);
  const QByteArray utf8 = address.toUtf8();
  data->addFormat(QStringLiteral("text/uri-list"), [utf8] { return UriListLine(utf8) + "\r\n"; });
  data->addFormat(TextFormats(), [utf8] { return utf8; });
  return data;
}

bool CopyResultList(const ResultList& rows, LineEnd lineEnd, Clipboard& clipboard) {
  if (!ListMimeDataFits(rows, lineEnd)) return false;
  clipboard.clear();
  clipboard.setMimeData(ListMimeData(rows, lineEnd));
  return true;
}

}  // namespace serialix

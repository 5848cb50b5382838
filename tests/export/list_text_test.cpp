#include "export/list_text.h"
#include "export/uri_list.h"

#include <gtest/gtest.h>

#include <QMimeData>
#include <memory>
#include <random>

#include "mainwindow/window_messages.h"
#include "platform/services/clipboard.h"
#include "platform/services/url_opener.h"

namespace serialix {
namespace {

struct RecordingClipboard : Clipboard {
  void clear() override { content = "", ++clears; }
  void setText(const QString& text) override { content = text; }
  void setMimeData(std::unique_ptr<QMimeData> data) override { held = std::move(data), content = held->text(); }
  QString text() const override { return content; }
  std::unique_ptr<QMimeData> held;
  QString content = "earlier";
  int clears = 0;
};

ResultList ListOf(std::initializer_list<const char*> hosts) {
  ResultList list;
  for (const char* host : hosts) {
    AddressTemplate t;
    t.B = host;
    list.append(AddressRun(t));
  }
  return list;
}

TEST(ListText, EveryEntryFollowedByItsLineEndInUtf8) {
  const struct {
    ResultList rows;
    LineEnd lineEnd;
    QString text;
    QByteArray uriList;  // offered with LF only
  } cases[] = {
      {ListOf({"a", "b"}), LineEnd::Lf, "http://a\nhttp://b\n", "http://a\r\nhttp://b\r\n"},
      {ListOf({"a", "b"}), LineEnd::CrLf, "http://a\r\nhttp://b\r\n", {}},
      {ListOf({"例え.テスト", "bücher.example/a b"}), LineEnd::Lf, "http://例え.テスト\nhttp://bücher.example/a b\n",
       "http://xn--r8jz45g.xn--zckzah\r\nhttp://xn--bcher-kva.example/a%20b\r\n"},
      {ListOf({}), LineEnd::Lf, "", ""},
  };
  for (const auto& c : cases) {
    RecordingClipboard clipboard;
    ASSERT_TRUE(CopyResultList(c.rows, c.lineEnd, clipboard));
    EXPECT_EQ(clipboard.content, c.text);
    EXPECT_EQ(clipboard.clears, 1);
    // No byte order mark and the exact UTF-8 bytes, under both names a pasting program may ask.
    const QStringList text{"text/plain;charset=utf-8", "text/plain"};
    EXPECT_EQ(clipboard.held->formats(), c.lineEnd == LineEnd::Lf ? QStringList("text/uri-list") + text : text);
    EXPECT_EQ(clipboard.held->data("text/uri-list"), c.uriList);
    EXPECT_EQ(clipboard.held->data("text/plain;charset=utf-8"), c.text.toUtf8());
    EXPECT_EQ(clipboard.held->data("text/plain"), c.text.toUtf8());
    EXPECT_EQ(ListBytes(c.rows, c.lineEnd), c.text.toUtf8());
  }
}

// The clipboard keeps the list as it was copied, while the window's list goes on changing.
TEST(ListText, APasteGetsTheListAsCopied) {
  ResultList rows = ListOf({"a"});
  const auto data = ListMimeData(rows, LineEnd::CrLf);
  rows.clear();
  rows.append(ListOf({"b"}).runs()[0]);
  EXPECT_EQ(data->data("text/plain"), "http://a\r\n");
  EXPECT_EQ(data->data("text/plain"), "http://a\r\n");
}

TEST(ListText, OverTheLimitShowsTheMessageAndLeavesTheClipboard) {
  AddressTemplate t;  // "http://h" + 0..99999999: far over 1 GiB, never built
  t.B = "h";
  t.G = {true, 0, 99'999'999, FillStyle::Plain};
  ResultList rows;
  rows.append(AddressRun(t));
  ASSERT_GT(rows.textBytes(LineEnd::Lf), ClipboardTextLimit());

  RecordingClipboard clipboard;
  EXPECT_FALSE(CopyResultList(rows, LineEnd::Lf, clipboard));
  EXPECT_EQ(std::make_pair(clipboard.content, clipboard.clears), std::make_pair(QString("earlier"), 0));
  EXPECT_EQ(ClipboardTooLargeMessage(), QString("一覧が大きすぎてクリップボードにコピーできません（%1 MiB まで）。")
                                            .arg(ClipboardTextLimit() / (1 << 20)));
}

// For any texts, the URI list holds each address as UriListLine makes it, whether a run is written
// straight through or address by address, and its size is judged exactly against the limit.
TEST(UriList, EveryAddressIsItsUriListLineAndTheSizeIsJudgedExactly) {
  std::mt19937 random(23);
  const std::string pieces[] = {"a", "/", "%", "4", "%4", " ", "é", "写", "Z"};
  auto text = [&] {
    std::string t;
    for (auto n = random() % 3; n > 0; --n) t += pieces[random() % std::size(pieces)];
    return t;
  };
  for (int round = 0; round < 200; ++round) {
    ResultList rows;
    std::string expected;
    for (auto runs = random() % 3 + 1; runs > 0; --runs) {
      AddressTemplate t;
      t.B = "h" + text(), t.C = "/", t.F = text(), t.I = text();
      t.G = {true, 0, static_cast<std::int32_t>(random() % 12), FillStyle::Plain};
      t.J = {random() % 2 == 0, 3, 5, FillStyle::TwoDigit};
      const AddressRun run(t);
      rows.append(run);
      for (std::uint64_t i = 0; i < run.size(); ++i) expected += (UriListLine(run.at(i)) + "\r\n").toStdString();
    }
    const QByteArray bytes = UriListBytes(rows);
    ASSERT_EQ(bytes.toStdString(), expected);
    const auto size = static_cast<std::uint64_t>(bytes.size());
    EXPECT_EQ(std::make_pair(UriListFits(rows, size), UriListFits(rows, size - 1)), std::make_pair(true, false));
    // Given in pieces, the same bytes, and no more than the size says when it says it exactly.
    const OnDemandMimeData::Pieces inPieces = UriListPieces(std::make_shared<const ResultList>(rows));
    std::string joined;
    while (inPieces.next(random() % 64, joined)) {
    }
    ASSERT_EQ(joined, expected);
    EXPECT_TRUE(inPieces.exact ? inPieces.size == size : inPieces.size <= size);
  }
}

}  // namespace
}  // namespace serialix

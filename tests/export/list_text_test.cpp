#include "export/list_text.h"

#include <gtest/gtest.h>

#include <QMimeData>

#include "mainwindow/window_messages.h"
#include "platform/services/clipboard.h"

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
  } cases[] = {
      {ListOf({"a", "b"}), LineEnd::Lf, "http://a\nhttp://b\n"},
      {ListOf({"a", "b"}), LineEnd::CrLf, "http://a\r\nhttp://b\r\n"},
      {ListOf({"例え.テスト", "bücher.example"}), LineEnd::Lf, "http://例え.テスト\nhttp://bücher.example\n"},
      {ListOf({}), LineEnd::Lf, ""},
  };
  for (const auto& c : cases) {
    RecordingClipboard clipboard;
    ASSERT_TRUE(CopyResultList(c.rows, c.lineEnd, clipboard));
    EXPECT_EQ(clipboard.content, c.text);
    EXPECT_EQ(clipboard.clears, 1);
    // No byte order mark and the exact UTF-8 bytes, under both names a pasting program may ask.
    EXPECT_EQ(clipboard.held->formats(), QStringList({"text/plain;charset=utf-8", "text/plain"}));
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

}  // namespace
}  // namespace serialix

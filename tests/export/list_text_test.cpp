#include "export/list_text.h"

#include <gtest/gtest.h>

#include "platform/services/clipboard.h"
#include "platform/services/message_box.h"
#include "support/scripted_message_box.h"

namespace serialix {
namespace {

struct RecordingClipboard : Clipboard {
  void clear() override { content = "", ++clears; }
  void setText(const QString& text) override { content = text; }
  QString text() const override { return content; }
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
    ScriptedMessageBox messages;
    ASSERT_TRUE(CopyResultList(nullptr, c.rows, c.lineEnd, clipboard, messages));
    EXPECT_EQ(clipboard.content, c.text);
    EXPECT_EQ(clipboard.clears, 1);
    EXPECT_TRUE(messages.shown.empty());
    // No byte order mark and the exact UTF-8 bytes.
    EXPECT_EQ(ListText(c.rows, c.lineEnd), c.text.toStdString());
  }
}

TEST(ListText, OverTheLimitShowsTheMessageAndLeavesTheClipboard) {
  AddressTemplate t;  // "http://h" + 0..99999999: far over 256 MiB, never built
  t.B = "h";
  t.G = {true, 0, 99'999'999, FillStyle::Plain};
  ResultList rows;
  rows.append(AddressRun(t));
  ASSERT_GT(rows.textBytes(LineEnd::Lf), kClipboardTextLimit);
  EXPECT_FALSE(ListText(rows, LineEnd::Lf).has_value());

  RecordingClipboard clipboard;
  ScriptedMessageBox messages;
  EXPECT_FALSE(CopyResultList(nullptr, rows, LineEnd::Lf, clipboard, messages));
  EXPECT_EQ(std::make_pair(clipboard.content, clipboard.clears), std::make_pair(QString("earlier"), 0));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption + messages.shown[0].text,
            "Serialix一覧が大きすぎてクリップボードにコピーできません（256 MiB まで）。");
}

}  // namespace
}  // namespace serialix

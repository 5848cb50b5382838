#include <gtest/gtest.h>
#include <unistd.h>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>

#include "platform/services/clipboard.h"
#include "platform/services/message_box.h"
#include "platform/services/on_demand_mime_data.h"
#include "platform/services/program_folder.h"
#include "platform/services/url_opener.h"

namespace serialix {
namespace {

// A thin wrapper, but the only user of the system clipboard: CR LF and Japanese text come back as set.
TEST(QtClipboard, TextRoundTripsAndClears) {
  QtClipboard clipboard;
  clipboard.setText(QStringLiteral("http://例え.jp/ｿﾌﾄ/001.mpg\r\n"));
  EXPECT_EQ(clipboard.text(), QStringLiteral("http://例え.jp/ｿﾌﾄ/001.mpg\r\n"));
  clipboard.clear();
  EXPECT_EQ(clipboard.text(), QString());
}

// Bytes that are not UTF-8 reach the reader as they are, not as U+FFFD.
TEST(QtClipboard, TextBytesAreTheBytesHeld) {
  QtClipboard clipboard;
  clipboard.setText(QStringLiteral("http://例え.jp/1"));
  EXPECT_EQ(clipboard.textBytes(), "http://例え.jp/1");
  auto* data = new QMimeData;
  data->setData(QStringLiteral("text/plain"), QByteArray("http://a/\xff/1"));
  QGuiApplication::clipboard()->setMimeData(data);
  EXPECT_EQ(clipboard.textBytes(), "http://a/\xff/1");
  clipboard.clear();
}

// A reader can learn how long a list this program copied is without it being made.
TEST(QtClipboard, KnowsTheLengthOfTextGivenInPiecesWithoutMakingIt) {
  QtClipboard clipboard;
  clipboard.setText(QStringLiteral("http://a/1"));
  EXPECT_EQ(clipboard.knownTextBytes(), std::nullopt);
  int made = 0;
  auto data = std::make_unique<OnDemandMimeData>();
  data->addFormat(
      QStringList{QStringLiteral("text/plain;charset=utf-8"), QStringLiteral("text/plain")},
      [&made] { return ++made, QByteArray("http://a/1\r\n"); },
      [] {
        return OnDemandMimeData::Pieces{40'000'000'000, nullptr};
      });
  clipboard.setMimeData(std::move(data));
  EXPECT_EQ(clipboard.knownTextBytes(), 40'000'000'000u);
  EXPECT_EQ(made, 0);
  EXPECT_EQ(clipboard.textBytes(), "http://a/1\r\n");
  clipboard.clear();
}

TEST(BrowserUrl, KeepsEscapesAndEscapesOnlyWhatCannotStandInAnAddress) {
  const std::pair<const char*, const char*> cases[] = {
      {"http://h/%E5%86%99/50%off1.jpg", "http://h/%E5%86%99/50%25off1.jpg"},
      {"http://h/%e5%86%99/%2F", "http://h/%E5%86%99/%2F"},  // hex case is not significant
      {"http://h/a b/写", "http://h/a%20b/%E5%86%99"},
      {"http://h/%zz%4", "http://h/%25zz%254"},
      {"http://h/a\\b<\"x\">", "http://h/a%5Cb%3C%22x%22%3E"},
      {"http://h/p?q=1%2F2&r=%#f%", "http://h/p?q=1%2F2&r=%25#f%25"},
      {"https://例え.テスト/1%", "https://xn--r8jz45g.xn--zckzah/1%25"},
  };
  for (const auto& [shown, sent] : cases) {
    EXPECT_EQ(BrowserUrl(QString::fromUtf8(shown)).toEncoded(), QByteArray(sent)) << shown;
  }
}

// A line a URI list can hold stays exactly as shown; any other becomes a URI, never an empty line.
TEST(UriListLine, KeepsWhatAUriHoldsAndEncodesTheRest) {
  const std::pair<const char*, const char*> cases[] = {
      {"http://Example.COM/a/%41.jpg", "http://Example.COM/a/%41.jpg"},
      {"http://h/a b/写", "http://h/a%20b/%E5%86%99"},
      {"http://h/50%off", "http://h/50%25off"},
      {"https://例え.テスト/1", "https://xn--r8jz45g.xn--zckzah/1"},
      {"http://exa mple.com/a b", "http://exa%20mple.com/a%20b"},  // no host QUrl reads
      {"http://a{b}/c", "http://a%7Bb%7D/c"},
  };
  for (const auto& [shown, line] : cases) EXPECT_EQ(UriListLine(shown), QByteArray(line)) << shown;
}

// A message quoting a pasted text of any length keeps its lines short and both ends of the text.
TEST(WithLongLinesElided, CutsLongLinesInTheMiddleOnly) {
  const QString address = QStringLiteral("http://h/") + QString(700000, u'x') + QStringLiteral("/end.jpg");
  const QString shown = WithLongLinesElided(QStringLiteral("「%1」を開けませんでした。\n短い行").arg(address), 80);
  const QStringList lines = shown.split(u'\n');
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0].size(), 80);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("「http://h/xx")));
  EXPECT_TRUE(lines[0].contains(QStringLiteral("x…x")));
  EXPECT_TRUE(lines[0].endsWith(QStringLiteral("/end.jpg」を開けませんでした。")));
  EXPECT_EQ(lines[1], QStringLiteral("短い行"));
  const QString emoji = WithLongLinesElided(QStringLiteral("😀").repeated(200), 80);
  EXPECT_EQ(emoji.count(QStringLiteral("😀")) * 2 + 1, emoji.size()) << "a pair is never cut";
}

// Nothing is made when the data is handed over; every read makes the bytes anew, and the
// clipboard's own text reading decodes them as UTF-8.
TEST(OnDemandMimeData, MakesAFormatOnlyWhenItIsRead) {
  auto data = std::make_unique<OnDemandMimeData>();
  int made = 0;
  data->addFormat("text/plain", [&made] { return (++made, QByteArray("ｸﾘｯﾌﾟ\r\n")); });
  EXPECT_TRUE(data->hasFormat("text/plain"));
  EXPECT_FALSE(data->hasFormat("text/uri-list"));
  EXPECT_TRUE(data->data("text/uri-list").isEmpty());
  QtClipboard clipboard;
  clipboard.setMimeData(std::move(data));
  EXPECT_EQ(made, 0);
  EXPECT_EQ(clipboard.text(), QStringLiteral("ｸﾘｯﾌﾟ\r\n"));
  EXPECT_EQ(clipboard.text(), QStringLiteral("ｸﾘｯﾌﾟ\r\n"));
  EXPECT_EQ(made, 2);
}

// A drag keeps what it made: the names of one format share one making, whatever is read how often.
TEST(OnDemandMimeData, KeptBytesAreMadeOnceForAllTheirNames) {
  OnDemandMimeData data(OnDemandMimeData::Made::Kept);
  int text = 0, uris = 0;
  data.addFormat(QStringList{"text/plain;charset=utf-8", "text/plain"},
                 [&text] { return (++text, QByteArray("a\n")); });
  data.addFormat("text/uri-list", [&uris] { return (++uris, QByteArray("http://a\r\n")); });
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(data.text() + data.data("text/plain;charset=utf-8"), "a\na\n");
    EXPECT_EQ(data.urls(), QList<QUrl>{QUrl("http://a")});
  }
  EXPECT_EQ(std::make_pair(text, uris), std::make_pair(1, 1));
}

TEST(FolderIsWritable, TellsFoldersThatTakeNewFiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  EXPECT_TRUE(FolderIsWritable(dir.path()));
  EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
      << "the probe file must not stay behind";
  QFile file(dir.filePath("plain.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  for (const QString& path : {file.fileName(), dir.filePath("missing"), QString()})
    EXPECT_FALSE(FolderIsWritable(path)) << path.toStdString();

  if (geteuid() != 0) {  // permission bits do not stop root
    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(FolderIsWritable(locked));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
}

}  // namespace
}  // namespace serialix

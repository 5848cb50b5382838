#include "export/list_export.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "mainwindow/window_messages.h"
#include "platform/files/codepage932.h"
#include "support/scripted_message_box.h"
#include "support/scripted_save_dialog.h"

namespace serialix {
namespace {

using Answer = MessageBox::Answer;

// "http://host/" G "/" L.
AddressRun Counted(const std::string& host, Counter g, Counter l) {
  AddressTemplate t;
  t.B = host, t.C = std::string(1, '/'), t.G = g, t.H = std::string(1, '/'),
  t.L = l;  // literals trip GCC 12's -Wrestrict
  return AddressRun(t);
}

ResultList ListOf(const std::vector<std::string>& hosts) {
  ResultList list;
  for (const std::string& host : hosts) {
    AddressTemplate t;
    t.B = host;
    list.append(AddressRun(t));
  }
  return list;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

// Open descriptors of this process that point into a folder.
int OpenHandlesUnder(const QString& folder) {
  int count = 0;
  const std::string prefix = QFile::encodeName(QFileInfo(folder).canonicalFilePath()).toStdString();
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code ec;
    const auto target = std::filesystem::read_symlink(entry.path(), ec);
    if (!ec && target.string().rfind(prefix, 0) == 0) ++count;
  }
  return count;
}

struct CancelAfter : ExportProgress {
  explicit CancelAfter(int chunks) : left(chunks) {}
  void start(std::uint64_t totalBytes) override { total = totalBytes; }
  bool advance(std::uint64_t) override { return --left > 0; }
  void finish() override { finished = true; }
  int left;
  std::uint64_t total = 0;
  bool finished = false;
};

class ListExportTest : public testing::Test {
 protected:
  QString path(const QString& name) const { return dir.filePath(name); }
  QString native() const { return QDir::toNativeSeparators(dir.path()); }
  bool run(const ResultList& rows, ExportProgress* progress = nullptr) {
    return exportAs(ExportFormat::Cp932CrLf, rows, progress);
  }
  bool runUtf8(const ResultList& rows, ExportProgress* progress = nullptr) {
    return exportAs(ExportFormat::Utf8Lf, rows, progress);
  }
  // As the window runs it: its question before a replace, its words for the outcome.
  bool exportAs(ExportFormat format, const ResultList& rows, ExportProgress* progress) {
    const auto confirm = [this](const QString&) {
      return messages.askYesNo(nullptr, OverwriteQuestion()) == Answer::Yes;
    };
    const ExportResult result = ExportResultList(nullptr, rows, format, state, dialog, confirm, progress);
    if (const QString text = ExportResultMessage(result); !text.isEmpty()) messages.inform(nullptr, text);
    return result.outcome == WriteOutcome::Written;
  }

  QTemporaryDir dir;
  ExportState state{native(), false, "List"};
  ScriptedSaveDialog dialog;
  ScriptedMessageBox messages;
};

TEST_F(ListExportTest, NewFileGetsEveryEntryInCodePage932WithCrLfUnderTheReturnedName) {
  const struct {
    const char* name;
    std::vector<std::string> hosts;
    QByteArray bytes;
  } rows[] = {
      {"out.txt", {"a", "b", "c"}, "http://a\r\nhttp://b\r\nhttp://c\r\n"},
      {"List", {}, ""},  // no extension added, an empty list gives an empty file
      // 表 has 0x5C as its second byte.
      {"jp.txt",
       {"日本語ｶﾅ表", "例え.テスト"},
       "http://\x93\xFA\x96\x7B\x8C\xEA\xB6\xC5\x95\x5C\r\nhttp://\x97\xE1\x82\xA6.\x83\x65\x83\x58\x83\x67\r\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    dialog.nextAnswers = {path(row.name)};
    ASSERT_TRUE(run(ListOf(row.hosts)));
    EXPECT_EQ(ReadAll(path(row.name)), row.bytes);
    const SaveDialogRequest& request = dialog.requests.back();
    EXPECT_EQ(request.title, "txt書き出し");
    EXPECT_EQ(request.filterDescriptions, QStringList({"txtﾌｧｲﾙ(.txt)", "lstﾌｧｲﾙ(.lst)", "すべてのﾌｧｲﾙ(*.*)"}));
    EXPECT_EQ(request.filterPatterns, QStringList({"*.txt", "*.lst", "*.*"}));
    EXPECT_EQ(std::tie(request.selectedFilter, request.folder, request.proposedName),
              std::make_tuple(0, native(), QString("List")));
    EXPECT_EQ(state.exportDir, native());  // the folder the file went to
    EXPECT_FALSE(state.keepFileName);
  }
  EXPECT_FALSE(QFileInfo::exists(path("List.txt")));
  EXPECT_EQ(dialog.requests.size(), 3u);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ListExportTest, Utf8ExportWritesTheTextAsItIsWithLfAndNoByteOrderMark) {
  const struct {
    std::vector<std::string> hosts;
    QByteArray bytes;
  } rows[] = {
      {{"a", "b"}, "http://a\nhttp://b\n"},
      {{"例え.テスト", "bücher.example", "x\xF0\x9F\x98\x80y"},
       "http://例え.テスト\nhttp://bücher.example\nhttp://x\xF0\x9F\x98\x80y\n"},
      {{}, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.bytes.toStdString());
    dialog.nextAnswers = {path("utf8.txt")};
    messages.nextAnswers = {Answer::Yes};
    CancelAfter progress(1 << 30);
    ASSERT_TRUE(runUtf8(ListOf(row.hosts), &progress));
    EXPECT_EQ(ReadAll(path("utf8.txt")), row.bytes);
    EXPECT_EQ(progress.total, static_cast<std::uint64_t>(row.bytes.size()));
    const SaveDialogRequest& request = dialog.requests.back();
    EXPECT_EQ(std::tie(request.title, request.defaultSuffix, request.proposedName),
              std::make_tuple(QString("txt書き出し (UTF-8, LF)"), QString("txt"), QString("List")));
    EXPECT_EQ(request.filterPatterns, QStringList({"*.txt", "*.lst", "*.*"}));
  }
  // "書き出し" itself still proposes no suffix.
  ASSERT_FALSE(run(ListOf({"a"})));
  EXPECT_EQ(dialog.requests.back().defaultSuffix, "");
}

// Code page 932 cannot hold every character: the export refuses before any dialog, names the
// first one and its row as the user counts, and leaves every file as it was.
TEST_F(ListExportTest, Cp932ExportRefusesACharacterItCannotHoldAndWritesNothing) {
  ResultList rows;
  rows.append(Counted("ok", {true, 1, 3, FillStyle::Plain}, {true, 0, 9, FillStyle::Plain}));  // rows 1..30
  rows.append(Counted("日本", {true, 0, 1, FillStyle::Plain}, {}));                            // 31..32
  AddressTemplate later;  // ü in the host, € further on: the host comes first in the address
  later.B = "bücher.example", later.C = std::string(1, '/'), later.F = "€", later.G = {true, 0, 4, FillStyle::Plain};
  rows.append(AddressRun(later));  // 33..37
  const QString target = path("old.txt");
  WriteBytes(target, "old content");

  const auto found = FindFirstUnencodable(rows);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(std::tie(found->row, found->character), std::make_tuple(std::uint64_t{32}, std::string("ü")));
  EXPECT_EQ(UnencodableMessage(*found),
            "33 行目の文字「ü」(U+00FC) は Shift-JIS (CP932) で書き出せないため、何も書き出しませんでした。\n"
            "一覧の右クリックメニューの「UTF-8 で書き出し…」を使ってください。");

  dialog.nextAnswers = {target};
  ASSERT_FALSE(run(rows));
  EXPECT_TRUE(dialog.requests.empty());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption + messages.shown[0].text, "Serialix" + UnencodableMessage(*found));
  EXPECT_FALSE(messages.shown[0].question);

  // the writer refuses on its own too, for any caller
  const ExportResult refused = WriteResultList(rows, target, ExportFormat::Cp932CrLf);
  EXPECT_EQ(refused.outcome, WriteOutcome::Refused);
  EXPECT_EQ(UnencodableMessage(refused.unencodable), UnencodableMessage(*found));
  EXPECT_EQ(ReadAll(target), QByteArray("old content"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"old.txt"}));

  // A character beyond the basic plane is named whole.
  const auto emoji = FindFirstUnencodable(ListOf({"a", "b", "x\xF0\x9F\x98\x80"}));
  ASSERT_TRUE(emoji.has_value());
  EXPECT_TRUE(UnencodableMessage(*emoji).startsWith("3 行目の文字「\xF0\x9F\x98\x80」(U+1F600)"));
  EXPECT_FALSE(FindFirstUnencodable(ListOf({"a", "日本語ｶﾅ表①", "例え.テスト"})).has_value());
  // So is a character that would be written as another one ("¥" as "\\").
  const auto yen = FindFirstUnencodable(ListOf({"a", "b/¥/c"}));
  EXPECT_TRUE(yen && yen->row == 1 && yen->character == "¥");

  // The same list goes out whole through the UTF-8 export.
  dialog.nextAnswers = {target};
  ASSERT_TRUE(runUtf8(rows));
  EXPECT_TRUE(ReadAll(target).endsWith("http://bücher.example/€4\n"));
}

// The one check a run finds what a scan of every entry finds, for any mix of runs and texts.
TEST(FindFirstUnencodable, AgreesWithAScanOfEveryEntry) {
  const char* pieces[] = {"a", "/", "ｶ", "表", "例え", "ü", "€", "\xF0\x9F\x98\x80", ""};
  std::mt19937 random(14);
  auto text = [&] {
    std::string t;
    for (int n = std::uniform_int_distribution(0, 2)(random); n > 0; --n) t += pieces[random() % std::size(pieces)];
    return t;
  };
  for (int trial = 0; trial < 200; ++trial) {
    ResultList rows;
    for (int r = std::uniform_int_distribution(0, 4)(random); r > 0; --r) {
      AddressTemplate t;
      for (std::string* field : {&t.B, &t.C, &t.D, &t.E, &t.F, &t.H, &t.I, &t.K, &t.M, &t.N}) {
        if (random() % 4 == 0) *field = text();
      }
      t.G = {true, 0, std::uniform_int_distribution(-1, 3)(random), FillStyle::TwoDigit};  // may be empty
      rows.append(AddressRun(t));
    }
    std::optional<UnencodableCharacter> scanned;
    for (std::uint64_t row = 0; row < rows.size() && !scanned; ++row) {
      if (auto c = FirstCharNotInCp932(rows.at(row))) scanned = UnencodableCharacter{row, *c};
    }
    const auto found = FindFirstUnencodable(rows);
    ASSERT_EQ(found.has_value(), scanned.has_value()) << trial;
    if (found) {
      EXPECT_EQ(std::tie(found->row, found->character), std::tie(scanned->row, scanned->character)) << trial;
    }
  }
}

TEST_F(ListExportTest, ANewFileInAnotherFolderMovesTheNextDialogThere) {
  QTemporaryDir other;
  const QString target = other.filePath("new.txt");
  dialog.nextAnswers = {target};
  ASSERT_TRUE(run(ListOf({"a"})));
  EXPECT_EQ(state.exportDir, QDir::toNativeSeparators(other.path()));

  ASSERT_FALSE(run(ListOf({"a"})));  // cancelled: opened there, and the folder stays
  EXPECT_EQ(dialog.requests.back().folder, QDir::toNativeSeparators(other.path()));
  EXPECT_EQ(state.exportDir, QDir::toNativeSeparators(other.path()));
}

TEST_F(ListExportTest, NoNoYesAsksEachTimeThenReplacesTheWholeFileAndMovesToItsFolder) {
  QTemporaryDir other;
  const QString target = other.filePath("old.lst");
  WriteBytes(target, QByteArray(1000, 'x'));
  dialog.nextAnswers = {target, target, target};
  messages.nextAnswers = {Answer::No, Answer::No, Answer::Yes};
  ASSERT_TRUE(run(ListOf({"a"})));

  EXPECT_EQ(ReadAll(target), QByteArray("http://a\r\n"));  // nothing of the old content is left
  ASSERT_EQ(dialog.requests.size(), 3u);
  for (int i = 1; i < 3; ++i) {
    EXPECT_EQ(dialog.requests[i].proposedName, "old.lst");
    EXPECT_EQ(dialog.requests[i].folder, native());
  }
  ASSERT_EQ(messages.shown.size(), 3u);
  for (const auto& box : messages.shown) {
    EXPECT_TRUE(box.question);
    EXPECT_EQ(box.caption + box.text, "Serialix上書保存してもいいの？");
  }
  EXPECT_EQ(state.exportDir, QDir::toNativeSeparators(other.path()));  // the folder, not the file

  ASSERT_FALSE(run(ListOf({"a"})));  // the next press opens there and proposes "List" again
  EXPECT_EQ(dialog.requests.back().folder, QDir::toNativeSeparators(other.path()));
  EXPECT_EQ(dialog.requests.back().proposedName, "List");
}

TEST_F(ListExportTest, CancelKeepsTheStateAndAKeptNameIsProposedAgainUntilAWriteSucceeds) {
  const QString existing = path("keep.txt");
  WriteBytes(existing, "old");
  ASSERT_FALSE(run(ListOf({"a"})));  // cancel at the first display: nothing happens
  EXPECT_EQ(dialog.requests.size(), 1u);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(state.keepFileName);

  dialog.nextAnswers = {existing};  // No, then cancel: kept on this press and the next
  messages.nextAnswers = {Answer::No};
  ASSERT_FALSE(run(ListOf({"a"})));
  EXPECT_EQ(dialog.requests.back().proposedName, "keep.txt");
  ASSERT_FALSE(run(ListOf({"a"})));
  EXPECT_EQ(dialog.requests.back().proposedName, "keep.txt");
  EXPECT_EQ(ReadAll(existing), QByteArray("old"));

  dialog.nextAnswers = {path("new.txt")};  // a write to a new name clears it
  ASSERT_TRUE(run(ListOf({"a"})));
  ASSERT_FALSE(run(ListOf({"a"})));
  EXPECT_EQ(dialog.requests.back().proposedName, "List");
}

// A write that fails or is cancelled leaves the old file, no temporary file, no open handle,
// and the export state as it was; only a failure is reported.
TEST_F(ListExportTest, FailuresAreReportedAndCancelLeavesTheOldFileUntouched) {
  ResultList big;  // several chunks of output
  big.append(Counted("h", {true, 0, 9999, FillStyle::Plain}, {true, 0, 99, FillStyle::Plain}));
  const struct {
    const char* name;
    QString target;
    bool existingFile;
    int cancelAfterChunks;  // 0: no cancel
    rlim_t sizeLimit;       // 0: none
  } cases[] = {
      {"missing folder", "no/such/folder/x.txt", false, 0, 0},
      {"target is a folder", "sub", false, 0, 0},
      {"write fails part way", "old.txt", true, 0, 256 * 1024},
      {"cancelled part way", "old.txt", true, 2, 0},
  };
  QDir(dir.path()).mkdir("sub");
  std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG instead

  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString target = path(c.target);
    if (c.existingFile) WriteBytes(target, "old content");
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    messages.shown.clear();
    dialog.nextAnswers = {target};
    state = {"start-folder", true, "kept"};
    CancelAfter progress(c.cancelAfterChunks > 0 ? c.cancelAfterChunks : 1 << 30);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    const rlimit limit{c.sizeLimit ? c.sizeLimit : oldLimit.rlim_cur, oldLimit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = run(big, &progress);
    setrlimit(RLIMIT_FSIZE, &oldLimit);

    EXPECT_FALSE(written);
    if (c.cancelAfterChunks) {
      EXPECT_EQ(std::tie(progress.total, progress.finished), std::make_tuple(big.textBytes(), true));
    }
    if (c.existingFile) {
      EXPECT_EQ(ReadAll(target), QByteArray("old content"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    EXPECT_EQ(OpenHandlesUnder(dir.path()), 0);
    EXPECT_EQ(state.exportDir, "start-folder");
    EXPECT_TRUE(state.keepFileName);
    const auto reports =
        std::count_if(messages.shown.begin(), messages.shown.end(), [](const auto& b) { return !b.question; });
    ASSERT_EQ(reports, c.cancelAfterChunks ? 0 : 1);
    if (reports == 0) continue;
    const auto& box = messages.shown.back();
    EXPECT_EQ(box.caption, "Serialix");
    EXPECT_TRUE(box.text.contains(QDir::toNativeSeparators(target))) << box.text.toStdString();
    // The reason follows the path on a line of its own.
    EXPECT_FALSE(box.text.section('\n', 2).trimmed().isEmpty()) << box.text.toStdString();
  }
}

// A pipe or a device is written into without the overwrite question; what is not a file is
// refused, and a failed write names the system's reason, each with the path.
TEST_F(ListExportTest, PipesAndDevicesAreWrittenIntoOtherTargetsRefusedWithTheReason) {
  const std::string folder = QFile::encodeName(dir.path()).toStdString();
  ASSERT_EQ(::mkfifo((folder + "/fifo").c_str(), 0600), 0);
  const int reader = ::open((folder + "/fifo").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_EQ(::symlink("/dev/full", (folder + "/full-link").c_str()), 0);
  QDir(dir.path()).mkdir("folder");
  const std::pair<const char*, QString> cases[] = {
      {"fifo", {}},  // written: no message at all
      {"full-link", QString::fromLocal8Bit(std::make_error_code(std::errc::no_space_on_device).message())},
      {"folder", "ﾌｫﾙﾀﾞｰです"},
  };
  for (const auto& [name, reason] : cases) {
    SCOPED_TRACE(name);
    messages.shown.clear();
    dialog.nextAnswers = {path(name)};
    EXPECT_EQ(run(ListOf({"a", "b"})), reason.isEmpty());
    const QString expected = QStringLiteral("ﾌｧｲﾙに書き出せませんでした。\n%1\n%2").arg(path(name), reason);
    EXPECT_EQ(messages.shown.size(), reason.isEmpty() ? 0u : 1u);  // never the overwrite question
    for (const auto& box : messages.shown) EXPECT_EQ(box.text, expected);
  }
  char got[64] = {};
  EXPECT_EQ(std::string(got, static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader, got, sizeof got)))),
            "http://a\r\nhttp://b\r\n");
  ::close(reader);
}

TEST_F(ListExportTest, TenMillionEntriesMatchTheListBySizeAndSampledLines) {
  ResultList rows;  // "http://host/" 10000..19999 "/" 000..999: 23 bytes a line with CR LF
  rows.append(Counted("host", {true, 10000, 19999, FillStyle::Plain}, {true, 0, 999, FillStyle::ThreeDigit}));
  ASSERT_EQ(rows.size(), 10'000'000u);
  dialog.nextAnswers = {path("big.lst")};
  ASSERT_TRUE(run(rows));  // through the real progress dialog

  QFile file(path("big.lst"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  constexpr qint64 kLine = 23;
  ASSERT_EQ(file.size(), kLine * 10'000'000);
  ASSERT_EQ(static_cast<std::uint64_t>(file.size()), rows.textBytes());
  for (std::uint64_t position : {0ull, 1ull, 999ull, 1000ull, 4'567'891ull, 9'999'999ull}) {
    ASSERT_TRUE(file.seek(static_cast<qint64>(position) * kLine));
    EXPECT_EQ(file.read(kLine), QByteArray::fromStdString(rows.at(position) + "\r\n")) << position;
  }
}

}  // namespace
}  // namespace serialix

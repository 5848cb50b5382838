#include "export/list_export.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

namespace serialix {
namespace {

AddressRun TextRun(const std::string& host) {
  AddressTemplate tmpl;
  tmpl.B = host;
  return AddressRun(tmpl);
}

// "http://host/" G "/" L with the given counters.
AddressRun CountedRun(const std::string& host, Counter g, Counter l) {
  AddressTemplate tmpl;
  tmpl.B = host;
  tmpl.C = "/";
  tmpl.G = g;
  tmpl.H = "/";
  tmpl.L = l;
  return AddressRun(tmpl);
}

ResultList ListOf(const std::vector<std::string>& hosts) {
  ResultList list;
  for (const std::string& host : hosts) list.append(TextRun(host));
  return list;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll();
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

class CancelAfter : public ExportProgress {
 public:
  explicit CancelAfter(int chunks) : chunks_(chunks) {}
  void start(std::uint64_t totalBytes) override { total = totalBytes; }
  bool advance(std::uint64_t doneBytes) override {
    done = doneBytes;
    return --chunks_ > 0;
  }
  void finish() override { finished = true; }
  std::uint64_t total = 0, done = 0;
  bool finished = false;

 private:
  int chunks_;
};

class ListExportTest : public testing::Test {
 protected:
  QString path(const QString& name) const { return dir.filePath(name); }
  bool run(const ResultList& rows, ExportProgress* progress = nullptr) {
    return ExportResultList(nullptr, rows, state, dialog, messages, progress);
  }

  QTemporaryDir dir;
  ExportState state{QDir::toNativeSeparators(dir.path()), false, "List"};
  ScriptedSaveDialog dialog;
  ScriptedMessageBox messages;
};

TEST_F(ListExportTest, NewFileGetsEveryEntryWithCrLfAndTheDialogIsSetUpAsDocumented) {
  dialog.nextAnswers = {path("out.txt")};
  ASSERT_TRUE(run(ListOf({"a", "b", "c"})));

  EXPECT_EQ(ReadAll(path("out.txt")), QByteArray("http://a\r\nhttp://b\r\nhttp://c\r\n"));
  ASSERT_EQ(dialog.requests.size(), 1u);
  const SaveDialogRequest& request = dialog.requests[0];
  EXPECT_EQ(request.title, "txt書き出し");
  EXPECT_EQ(request.filterDescriptions,
            QStringList({"txtﾌｧｲﾙ(.txt)", "lstﾌｧｲﾙ(.lst)", "すべてのﾌｧｲﾙ(*.*)"}));
  EXPECT_EQ(request.filterPatterns, QStringList({"*.txt", "*.lst", "*.*"}));
  EXPECT_EQ(request.selectedFilter, 0);
  EXPECT_EQ(request.folder, QDir::toNativeSeparators(dir.path()));
  EXPECT_EQ(request.proposedName, "List");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(state.exportDir, QDir::toNativeSeparators(dir.path()));  // a new file keeps it
  EXPECT_FALSE(state.keepFileName);
}

TEST_F(ListExportTest, NameWithoutExtensionIsWrittenAsReturnedAndAnEmptyListGivesAnEmptyFile) {
  dialog.nextAnswers = {path("List")};
  ASSERT_TRUE(run(ResultList{}));
  EXPECT_TRUE(QFileInfo::exists(path("List")));
  EXPECT_EQ(QFileInfo(path("List")).size(), 0);
  EXPECT_FALSE(QFileInfo::exists(path("List.txt")));
}

TEST_F(ListExportTest, CodePage932BytesAndOneQuestionMarkPerUnrepresentableCharacter) {
  dialog.nextAnswers = {path("jp.txt")};
  // 表 has 0x5C as its second byte; U+1F600 has no code page 932 form.
  ASSERT_TRUE(run(ListOf({"日本語ｶﾅ表", "x\xF0\x9F\x98\x80y"})));
  EXPECT_EQ(ReadAll(path("jp.txt")),
            QByteArray("http://\x93\xFA\x96\x7B\x8C\xEA\xB6\xC5\x95\x5C\r\nhttp://x?y\r\n"));
}

TEST_F(ListExportTest, NoNoYesAsksEachTimeThenReplacesTheWholeFileAndMovesToItsFolder) {
  QTemporaryDir other;
  const QString target = other.filePath("old.lst");
  WriteBytes(target, QByteArray(1000, 'x'));
  dialog.nextAnswers = {target, target, target};
  messages.nextAnswers = {MessageBox::Answer::No, MessageBox::Answer::No, MessageBox::Answer::Yes};

  ASSERT_TRUE(run(ListOf({"a"})));

  EXPECT_EQ(ReadAll(target), QByteArray("http://a\r\n"));  // nothing of the old content is left
  ASSERT_EQ(dialog.requests.size(), 3u);
  EXPECT_EQ(dialog.requests[0].proposedName, "List");
  for (int i = 1; i < 3; ++i) {
    EXPECT_EQ(dialog.requests[i].proposedName, "old.lst");
    EXPECT_EQ(dialog.requests[i].folder, QDir::toNativeSeparators(dir.path()));
  }
  ASSERT_EQ(messages.shown.size(), 3u);
  for (const auto& box : messages.shown) {
    EXPECT_TRUE(box.question);
    EXPECT_EQ(box.caption, "Serialix");
    EXPECT_EQ(box.text, "上書保存してもいいの？");
  }
  EXPECT_FALSE(state.keepFileName);
  EXPECT_EQ(state.exportDir, QDir::toNativeSeparators(other.path()));  // the folder, not the file

  // The next press opens there and proposes "List" again.
  ASSERT_FALSE(run(ListOf({"a"})));
  EXPECT_EQ(dialog.requests.back().folder, QDir::toNativeSeparators(other.path()));
  EXPECT_EQ(dialog.requests.back().proposedName, "List");
}

TEST_F(ListExportTest, CancelKeepsTheStateAndAKeptNameIsProposedAgainUntilAWriteSucceeds) {
  const QString existing = path("keep.txt");
  WriteBytes(existing, "old");

  // Cancel at the first display: nothing happens.
  ASSERT_FALSE(run(ListOf({"a"})));
  EXPECT_EQ(dialog.requests.size(), 1u);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(state.keepFileName);

  // No, then cancel: the name stays proposed, on this press and on the next.
  dialog.nextAnswers = {existing};
  messages.nextAnswers = {MessageBox::Answer::No};
  ASSERT_FALSE(run(ListOf({"a"})));
  EXPECT_TRUE(state.keepFileName);
  EXPECT_EQ(dialog.requests.back().proposedName, "keep.txt");
  ASSERT_FALSE(run(ListOf({"a"})));
  EXPECT_EQ(dialog.requests.back().proposedName, "keep.txt");
  EXPECT_EQ(ReadAll(existing), QByteArray("old"));

  // A write to a new name clears it.
  dialog.nextAnswers = {path("new.txt")};
  ASSERT_TRUE(run(ListOf({"a"})));
  EXPECT_FALSE(state.keepFileName);
  ASSERT_FALSE(run(ListOf({"a"})));
  EXPECT_EQ(dialog.requests.back().proposedName, "List");
}

// A write that fails or is cancelled leaves the old file, no temporary file, no open handle,
// and the export state as it was; only a failure is reported.
TEST_F(ListExportTest, FailuresAreReportedAndCancelLeavesTheOldFileUntouched) {
  // Enough output to span several chunks.
  ResultList big;
  big.append(CountedRun("h", {true, 0, 9999, FillStyle::Plain}, {true, 0, 99, FillStyle::Plain}));

  struct Case {
    const char* name;
    QString target;  // relative to the folder
    bool existingFile;
    int cancelAfterChunks;  // 0: no cancel
    rlim_t sizeLimit;       // 0: none
    bool reported;
  };
  const Case cases[] = {
      {"missing folder", "no/such/folder/x.txt", false, 0, 0, true},
      {"target is a folder", "sub", false, 0, 0, true},
      {"write fails part way", "old.txt", true, 0, 256 * 1024, true},
      {"cancelled part way", "old.txt", true, 2, 0, false},
  };
  QDir(dir.path()).mkdir("sub");
  std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG instead

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString target = path(c.target);
    if (c.existingFile) WriteBytes(target, "old content");
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    messages.shown.clear();
    messages.nextAnswers = {MessageBox::Answer::Yes};
    dialog.nextAnswers = {target};
    state = {"start-folder", true, "kept"};

    CancelAfter progress(c.cancelAfterChunks > 0 ? c.cancelAfterChunks : 1 << 30);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    if (c.sizeLimit) {
      rlimit limit = oldLimit;
      limit.rlim_cur = c.sizeLimit;
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    const bool written = run(big, &progress);
    setrlimit(RLIMIT_FSIZE, &oldLimit);

    EXPECT_FALSE(written);
    if (c.cancelAfterChunks) {
      EXPECT_EQ(progress.total, big.textBytes());
      EXPECT_TRUE(progress.finished);
    }
    if (c.existingFile) {
      EXPECT_EQ(ReadAll(target), QByteArray("old content"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    EXPECT_EQ(OpenHandlesUnder(dir.path()), 0);
    EXPECT_EQ(state.exportDir, "start-folder");
    EXPECT_TRUE(state.keepFileName);
    const auto reports = std::count_if(messages.shown.begin(), messages.shown.end(),
                                       [](const auto& box) { return !box.question; });
    ASSERT_EQ(reports, c.reported ? 1 : 0);
    if (c.reported) {
      const auto& box = messages.shown.back();
      EXPECT_EQ(box.caption, "Serialix");
      EXPECT_TRUE(box.text.contains(QDir::toNativeSeparators(target))) << box.text.toStdString();
      // The reason follows the path on a line of its own.
      EXPECT_FALSE(box.text.section('\n', 2).trimmed().isEmpty()) << box.text.toStdString();
    }
  }
}

TEST_F(ListExportTest, TenMillionEntriesMatchTheListBySizeAndSampledLines) {
  // "http://host/" 10000..19999 "/" 000..999: every line is 23 bytes with CR LF.
  ResultList rows;
  rows.append(CountedRun("host", {true, 10000, 19999, FillStyle::Plain},
                         {true, 0, 999, FillStyle::ThreeDigit}));
  ASSERT_EQ(rows.size(), 10'000'000u);
  const QString target = path("big.lst");
  dialog.nextAnswers = {target};

  ASSERT_TRUE(run(rows));  // through the real progress dialog

  QFile file(target);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  ASSERT_EQ(static_cast<std::uint64_t>(file.size()), rows.textBytes());
  constexpr qint64 kLine = 23;
  ASSERT_EQ(file.size(), kLine * 10'000'000);
  for (std::uint64_t position : {0ull, 1ull, 999ull, 1000ull, 4'567'891ull, 9'999'999ull}) {
    ASSERT_TRUE(file.seek(static_cast<qint64>(position) * kLine));
    EXPECT_EQ(file.read(kLine), QByteArray::fromStdString(rows.at(position) + "\r\n"))
        << "entry " << position;
  }
}

}  // namespace
}  // namespace serialix

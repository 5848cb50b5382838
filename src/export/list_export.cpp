#include "export/list_export.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProgressDialog>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/files/codepage932.h"
#include "platform/files/file_kind.h"
#include "platform/files/replaced_file.h"
#include "serialix_version.h"

namespace serialix {
namespace {

const QString kCaption = QString::fromLatin1(kProgramName);

constexpr qint64 kShowAfterMs = 500;
constexpr qint64 kUpdateEveryMs = 40;
constexpr int kSteps = 1000;

// The same list with the fixed texts of every run encoded once; counter digits are ASCII.
// UTF-8 is the program's own text and goes out as it is.
ResultList EncodedForFile(const ResultList& rows, ExportFormat format) {
  if (format == ExportFormat::Utf8Lf) return rows;
  ResultList encoded;
  for (const AddressRun& run : rows.runs()) {
    encoded.append(run.withTextsMapped([](const std::string& text) { return Utf8ToCp932(text); }));
  }
  return encoded;
}

LineEnd LineEndOf(ExportFormat format) {
  return format == ExportFormat::Utf8Lf ? LineEnd::Lf : LineEnd::CrLf;
}

// The fixed texts of a template in the order they appear in its addresses.
std::optional<std::string> FirstUnencodableIn(const AddressTemplate& t) {
  std::optional<std::string> first;
  t.forEach([&first](const std::string& text) {
    if (!first) first = FirstCharNotInCp932(text);
  });
  return first;
}

std::filesystem::path LocalPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

SaveDialogRequest MakeRequest(const ExportState& state, ExportFormat format) {
  SaveDialogRequest request;
  if (format == ExportFormat::Utf8Lf) {
    request.title = QStringLiteral("txt書き出し (UTF-8, LF)");
    request.defaultSuffix = QStringLiteral("txt");
  } else {
    request.title = QStringLiteral("txt書き出し");
  }
  request.filterDescriptions = {QStringLiteral("txtﾌｧｲﾙ(.txt)"), QStringLiteral("lstﾌｧｲﾙ(.lst)"),
                                QStringLiteral("すべてのﾌｧｲﾙ(*.*)")};
  request.filterPatterns = {QStringLiteral("*.txt"), QStringLiteral("*.lst"), QStringLiteral("*.*")};
  request.selectedFilter = 0;
  request.folder = state.exportDir;
  request.proposedName = state.keepFileName ? state.dialogFileName : QStringLiteral("List");
  return request;
}

}  // namespace

struct DialogExportProgress::Impl {
  QPointer<QWidget> parent;
  std::unique_ptr<QProgressDialog> dialog;
  QElapsedTimer timer;
  qint64 nextCheckMs = 0;
  std::uint64_t total = 0;
  bool cancelled = false;
};

DialogExportProgress::DialogExportProgress(QWidget* parent) : impl_(std::make_unique<Impl>()) {
  impl_->parent = parent;
}

DialogExportProgress::~DialogExportProgress() = default;

void DialogExportProgress::start(std::uint64_t totalBytes) {
  impl_->total = totalBytes;
  impl_->cancelled = false;
  impl_->dialog.reset();
  impl_->nextCheckMs = kUpdateEveryMs;
  impl_->timer.start();
}

bool DialogExportProgress::advance(std::uint64_t doneBytes) {
  Impl& d = *impl_;
  if (d.cancelled) return false;
  // One clock read per chunk; everything else happens a few dozen times a second at most.
  const qint64 now = d.timer.elapsed();
  if (now < d.nextCheckMs) return true;
  d.nextCheckMs = now + kUpdateEveryMs;

  const int value =
      d.total == 0 ? kSteps : static_cast<int>(static_cast<double>(doneBytes) / static_cast<double>(d.total) * kSteps);
  if (!d.dialog) {
    d.dialog = std::make_unique<QProgressDialog>(QStringLiteral("書き出し中..."), QStringLiteral("ｷｬﾝｾﾙ"), 0, kSteps,
                                                 d.parent);
    d.dialog->setWindowTitle(kCaption);
    d.dialog->setWindowModality(Qt::WindowModal);
    d.dialog->setAutoReset(false);
    d.dialog->setAutoClose(false);
    // The write has already run for `now` ms; the dialog appears once half a second has passed.
    d.dialog->setMinimumDuration(static_cast<int>(std::max<qint64>(0, kShowAfterMs - now)));
    d.dialog->setValue(0);
  }
  d.dialog->setValue(std::min(value, kSteps - 1));
  if (d.dialog->isVisible()) QCoreApplication::processEvents();
  if (d.dialog->wasCanceled()) d.cancelled = true;
  return !d.cancelled;
}

void DialogExportProgress::finish() {
  impl_->dialog.reset();
}

std::optional<UnencodableCharacter> FindFirstUnencodable(const ResultList& rows) {
  std::uint64_t start = 0;
  for (const AddressRun& run : rows.runs()) {
    if (auto found = FirstUnencodableIn(run.addressTemplate())) return UnencodableCharacter{start, *found};
    start += run.size();
  }
  return std::nullopt;
}

QString UnencodableMessage(const UnencodableCharacter& found) {
  const QString character = QString::fromStdString(found.character);
  const QList<uint> codes = character.toUcs4();
  const QString code =
      codes.isEmpty() ? QString() : QStringLiteral("U+%1").arg(codes.front(), 4, 16, QLatin1Char('0')).toUpper();
  return QStringLiteral(
             "%1 行目の文字「%2」(%3) は Shift-JIS (CP932) で書き出せないため、"
             "何も書き出しませんでした。\n"
             "一覧の右クリックメニューの「UTF-8 で書き出し…」を使ってください。")
      .arg(QString::number(found.row + 1), character, code);
}

QString FileErrorReason(const std::error_code& error) {
  if (error.category() == FileKindCategory()) {
    switch (static_cast<FileKind>(error.value())) {
      case FileKind::Folder: return QStringLiteral("ﾌｫﾙﾀﾞｰです");
      case FileKind::BlockDevice: return QStringLiteral("ﾌﾞﾛｯｸﾃﾞﾊﾞｲｽです");
      case FileKind::Socket: return QStringLiteral("ｿｹｯﾄです");
      case FileKind::NamedPipe: return QStringLiteral("名前付きﾊﾟｲﾌﾟです");
      case FileKind::CharacterDevice: return QStringLiteral("ｷｬﾗｸﾀｰﾃﾞﾊﾞｲｽです");
      case FileKind::Other: break;
    }
    return QStringLiteral("通常のﾌｧｲﾙではありません");
  }
  return QString::fromLocal8Bit(error.message());
}

QString WriteFailedMessage(const QString& path, const std::error_code& error) {
  return QStringLiteral("ﾌｧｲﾙに書き出せませんでした。\n%1\n%2")
      .arg(QDir::toNativeSeparators(path), FileErrorReason(error));
}

namespace {

// Writes rows that the format can hold, each chunk from the thread that makes it.
WriteOutcome WriteEncodable(const ResultList& rows, const std::filesystem::path& path, ExportFormat format,
                            ExportProgress* progress, std::error_code& error) {
  const ResultList encoded = EncodedForFile(rows, format);
  const LineEnd lineEnd = LineEndOf(format);
  try {
    ReplacedFile file(path);
    std::uint64_t done = 0;
    if (progress) progress->start(encoded.textBytes(lineEnd));
    const bool complete = encoded.writeAll(
        [&](std::string_view chunk) {
          file.write(chunk);
          done += chunk.size();
          return progress == nullptr || progress->advance(done);
        },
        lineEnd);
    if (progress) progress->finish();
    if (!complete) return WriteOutcome::Cancelled;
    file.commit();
    return WriteOutcome::Written;
  } catch (const std::system_error& failure) {
    if (progress) progress->finish();
    error = failure.code();
    return WriteOutcome::Failed;
  }
}

}  // namespace

WriteOutcome WriteResultList(const ResultList& rows, const QString& path, ExportFormat format, ExportProgress* progress,
                             QString* error) {
  if (format == ExportFormat::Cp932CrLf) {
    if (const auto found = FindFirstUnencodable(rows)) {
      if (error) *error = UnencodableMessage(*found);
      return WriteOutcome::Refused;
    }
  }
  std::error_code failure;
  const WriteOutcome outcome = WriteEncodable(rows, LocalPath(path), format, progress, failure);
  if (outcome == WriteOutcome::Failed && error) *error = FileErrorReason(failure);
  return outcome;
}

bool ExportResultList(QWidget* parent, const ResultList& rows, ExportFormat format, ExportState& state,
                      SaveDialog& dialog, MessageBox& messages, ExportProgress* progress) {
  // Refused before the dialog, so the user does not pick a file for nothing.
  if (format == ExportFormat::Cp932CrLf) {
    if (const auto found = FindFirstUnencodable(rows)) {
      messages.inform(parent, UnencodableMessage(*found));
      return false;
    }
  }
  for (;;) {
    const SaveDialogRequest request = MakeRequest(state, format);
    const std::optional<QString> chosen = dialog.ask(parent, request);
    if (!chosen) return false;
    const QString path = *chosen;
    state.dialogFileName = QFileInfo(path).fileName();
    const std::filesystem::path local = LocalPath(path);

    // Only a regular file is replaced, so only then is there something to lose.
    ReplacedFile::Target target;
    try {
      target = ReplacedFile::Inspect(local);
    } catch (const std::system_error& refusal) {
      messages.inform(parent, WriteFailedMessage(path, refusal.code()));
      return false;
    }
    if (target == ReplacedFile::Target::RegularFile &&
        messages.askYesNo(parent, QStringLiteral("上書保存してもいいの？")) == MessageBox::Answer::No) {
      state.keepFileName = true;
      continue;
    }

    std::unique_ptr<DialogExportProgress> ownProgress;
    if (progress == nullptr) {
      ownProgress = std::make_unique<DialogExportProgress>(parent);
      progress = ownProgress.get();
    }
    std::error_code failure;
    const WriteOutcome outcome = WriteEncodable(rows, local, format, progress, failure);
    if (outcome == WriteOutcome::Failed) {
      messages.inform(parent, WriteFailedMessage(path, failure));
      return false;
    }
    if (outcome == WriteOutcome::Cancelled) return false;

    state.keepFileName = false;
    // The next dialog opens where this file went, new or replaced.
    state.exportDir = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    return true;
  }
}

}  // namespace serialix

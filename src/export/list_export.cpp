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
#include "platform/files/replaced_file.h"
#include "platform/services/message_box.h"

namespace serialix {
namespace {

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

  const double done = d.total == 0 ? 1 : static_cast<double>(doneBytes) / static_cast<double>(d.total);
  // The first dialog of a process costs several milliseconds (fonts, style): only a write that
  // is on course to pass half a second gets one.
  if (!d.dialog && done > 0 && static_cast<double>(now) / done < kShowAfterMs) return true;
  const int value = static_cast<int>(done * kSteps);
  if (!d.dialog) {
    d.dialog = std::make_unique<QProgressDialog>(QStringLiteral("書き出し中..."), QStringLiteral("ｷｬﾝｾﾙ"), 0, kSteps,
                                                 d.parent);
    d.dialog->setWindowTitle(MessageBox::caption());
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

ExportResult WriteResultList(const ResultList& rows, const QString& path, ExportFormat format,
                             ExportProgress* progress) {
  ExportResult result;
  result.path = path;
  if (format == ExportFormat::Cp932CrLf) {
    if (auto found = FindFirstUnencodable(rows)) {
      result.outcome = WriteOutcome::Refused;
      result.unencodable = std::move(*found);
      return result;
    }
  }
  result.outcome = WriteEncodable(rows, LocalPath(path), format, progress, result.error);
  return result;
}

ExportResult ExportResultList(QWidget* parent, const ResultList& rows, ExportFormat format, ExportState& state,
                              SaveDialog& dialog, const ConfirmReplace& confirmReplace, ExportProgress* progress) {
  ExportResult result;
  // Refused before the dialog, so the user does not pick a file for nothing.
  if (format == ExportFormat::Cp932CrLf) {
    if (auto found = FindFirstUnencodable(rows)) {
      result.outcome = WriteOutcome::Refused;
      result.unencodable = std::move(*found);
      return result;
    }
  }
  for (;;) {
    const SaveDialogRequest request = MakeRequest(state, format);
    const std::optional<QString> chosen = dialog.ask(parent, request);
    if (!chosen) return result;
    const QString path = *chosen;
    result.path = path;
    state.dialogFileName = QFileInfo(path).fileName();
    const std::filesystem::path local = LocalPath(path);

    // Only a regular file is replaced, so only then is there something to lose.
    ReplacedFile::Target target;
    try {
      target = ReplacedFile::Inspect(local);
    } catch (const std::system_error& refusal) {
      result.outcome = WriteOutcome::Failed;
      result.error = refusal.code();
      return result;
    }
    if (target == ReplacedFile::Target::RegularFile && !confirmReplace(path)) {
      state.keepFileName = true;
      continue;
    }

    std::unique_ptr<DialogExportProgress> ownProgress;
    if (progress == nullptr) {
      ownProgress = std::make_unique<DialogExportProgress>(parent);
      progress = ownProgress.get();
    }
    result.outcome = WriteEncodable(rows, local, format, progress, result.error);
    if (result.outcome != WriteOutcome::Written) return result;

    state.keepFileName = false;
    // The next dialog opens where this file went, new or replaced.
    state.exportDir = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    return result;
  }
}

}  // namespace serialix

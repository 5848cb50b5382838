#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "core/result_list.h"
#include "platform/services/save_dialog.h"

class QWidget;

namespace serialix {

// The export state the main window keeps between presses of "書き出し".
struct ExportState {
  QString exportDir;                                // ExportDir: the folder the save dialog opens in
  bool keepFileName = false;                        // KeepFileName: propose dialogFileName instead of "List"
  QString dialogFileName = QStringLiteral("List");  // the name the dialog holds, without folder
};

// Progress of a running write; lets the user cancel it.
class ExportProgress {
 public:
  virtual ~ExportProgress() = default;
  virtual void start(std::uint64_t totalBytes) = 0;
  // Called after each chunk; false cancels the write. Must be cheap: it runs per chunk.
  virtual bool advance(std::uint64_t doneBytes) = 0;
  virtual void finish() = 0;
};

// A modal QProgressDialog with a cancel button, shown only when the write takes more than
// about half a second.
class DialogExportProgress : public ExportProgress {
 public:
  explicit DialogExportProgress(QWidget* parent);
  ~DialogExportProgress() override;
  DialogExportProgress(const DialogExportProgress&) = delete;
  DialogExportProgress& operator=(const DialogExportProgress&) = delete;

  void start(std::uint64_t totalBytes) override;
  bool advance(std::uint64_t doneBytes) override;
  void finish() override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The two kinds of export file: "書き出し" for Windows programs, and UTF-8 (no byte order
// mark) with LF line ends for the Linux tools that read address lists.
enum class ExportFormat { Cp932CrLf, Utf8Lf };

// Refused: a character the code page cannot hold; nothing was written.
enum class WriteOutcome { Written, Cancelled, Failed, Refused };

// The first entry that code page 932 cannot write as it is, and the character.
struct UnencodableCharacter {
  std::uint64_t row = 0;  // zero-based
  std::string character;  // UTF-8
};

// How a write or an export ended, with the reason as values; the window words it.
struct ExportResult {
  WriteOutcome outcome = WriteOutcome::Cancelled;
  QString path;                      // the file chosen; empty when none was
  std::error_code error;             // Failed: a FileKind code for what the path is, or the system's error
  UnencodableCharacter unencodable;  // Refused
};

// Every fixed text of a run is in each of its entries and counter digits are ASCII, so only the
// first entry of the first run whose texts fail can be the first failing entry: one check a run.
std::optional<UnencodableCharacter> FindFirstUnencodable(const ResultList& rows);

// Writes every entry followed by its line end to path through ReplacedFile: a regular file is
// replaced only when everything was written, a named pipe or character device is written into,
// anything else is refused (Failed, with the reason). A code page 932 write of a character that
// page cannot hold is Refused before anything is written. On failure, cancel or refusal the
// earlier file is untouched and no temporary file or open handle remains.
ExportResult WriteResultList(const ResultList& rows, const QString& path, ExportFormat format,
                             ExportProgress* progress = nullptr);

// Asked before an existing regular file is replaced; false shows the save dialog again with the
// chosen name.
using ConfirmReplace = std::function<bool(const QString& path)>;

// Runs the whole dialogue of an export: save dialog, confirmReplace for an existing regular
// file, write. A code page 932 export that would lose a character is Refused before any dialog.
// The UTF-8 export proposes the suffix ".txt". progress null means a DialogExportProgress on
// parent. The caller tells the user about a refusal or failure.
ExportResult ExportResultList(QWidget* parent, const ResultList& rows, ExportFormat format, ExportState& state,
                              SaveDialog& dialog, const ConfirmReplace& confirmReplace,
                              ExportProgress* progress = nullptr);

}  // namespace serialix

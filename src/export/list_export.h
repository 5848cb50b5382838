#pragma once

#include <QString>
#include <cstdint>

#include "core/result_list.h"
#include "platform/message_box.h"
#include "platform/save_dialog.h"

class QWidget;

namespace serialix {

// The export state the main window keeps between presses of "書き出し".
struct ExportState {
  QString exportDir;            // ExportDir: the folder the save dialog opens in
  bool keepFileName = false;    // KeepFileName: propose dialogFileName instead of "List"
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
  Impl* impl_;
};

enum class WriteOutcome { Written, Cancelled, Failed };

// Writes every entry followed by CR LF, in code page 932, to path. The file is replaced only
// when everything was written: on failure or cancel the earlier file is untouched and no
// temporary file or open handle remains. On failure, error gets the reason.
WriteOutcome WriteResultList(const ResultList& rows, const QString& path,
                             ExportProgress* progress = nullptr, QString* error = nullptr);

// Runs the whole dialogue of cmdOut: save dialog, overwrite question (No shows the dialog
// again with the chosen name), write, and a message naming the file and the reason when the
// write fails. Returns true when a file was written. The caller then selects the last entry
// of List1. progress null means a DialogExportProgress on parent.
bool ExportResultList(QWidget* parent, const ResultList& rows, ExportState& state,
                      SaveDialog& dialog, MessageBox& messages, ExportProgress* progress = nullptr);

}  // namespace serialix

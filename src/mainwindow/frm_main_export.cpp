// "書き出し" and the UTF-8 export: the list to a file chosen in the save dialog.
#include <QPushButton>

#include "export/list_export.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/window_messages.h"
#include "platform/services/message_box.h"
#include "platform/widgets/virtual_list_box.h"

namespace serialix {

void frmMain::exportList(ExportFormat format) {
  const auto confirmReplace = [this](const QString&) {
    return messages_->askYesNo(this, OverwriteQuestion()) == MessageBox::Answer::Yes;
  };
  const ExportResult result =
      ExportResultList(this, List1->rows(), format, *exportState_, *saveDialog_, confirmReplace);
  if (const QString message = ExportResultMessage(result); !message.isEmpty()) inform(message);
  if (result.outcome != WriteOutcome::Written) return;
  // A written list has its last entry selected.
  if (List1->count() > 0) List1->setCurrentRow(List1->count() - 1);
}

void frmMain::cmdOut_Click() {
  exportList(ExportFormat::Cp932CrLf);
}

// The context menu's "UTF-8 で書き出し… (LF)".
void frmMain::exportUtf8() {
  exportList(ExportFormat::Utf8Lf);
}

}  // namespace serialix

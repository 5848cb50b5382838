// The command buttons: run the generation, clear, copy to the clipboard, export, help, quit.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/address_template.h"
#include "core/history.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/history_combo.h"
#include "mainwindow/next_run_messages.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/virtual_list_box.h"
#include "serialix_version.h"

namespace serialix {
namespace {

const QString kTitle = QString::fromLatin1(kProgramName);

// Clipboard text above this size is refused rather than built in memory.
constexpr std::uint64_t kClipboardLimit = 256ull * 1024 * 1024;

void remember(QComboBox* combo) {
  std::vector<std::string> history;
  for (const QString& entry : HistoryEntries(combo)) history.push_back(entry.toStdString());
  const QString text = combo->currentText();
  if (RememberInHistory(history, text.toStdString())) AppendHistoryEntry(combo, text);
}

}  // namespace

void frmMain::ListOut() {
  remember(cmbB);
  remember(cmbK);
  remember(cmbN);

  const NextRunResult result = NextRunTemplate();
  if (const auto* error = std::get_if<CounterTextError>(&result)) {
    messages_->inform(this, kTitle, CounterTextMessage(*error));
    return;
  }
  const auto& tmpl = std::get<AddressTemplate>(result);
  if (!AddressCount(tmpl) || !List1->appendRun(AddressRun(tmpl))) {
    messages_->inform(this, kTitle, TooManyAddressesMessage());
    return;
  }
  cmdOut->setEnabled(true);
}

void frmMain::cmdR_Click() { ListOut(); }

void frmMain::cmdClear_Click() {
  List1->clear();
  cmdOut->setEnabled(false);
}

void frmMain::cmdCrip_Click() {
  const ResultList& rows = List1->rows();
  if (rows.textBytes() > kClipboardLimit) {
    messages_->inform(this, kTitle,
                       QStringLiteral("一覧が大きすぎてクリップボードにコピーできません（256 MiB まで）。"));
    return;
  }
  std::string text;
  text.reserve(rows.textBytes());
  rows.writeAll([&text](std::string_view chunk) {
    text.append(chunk);
    return true;
  });
  clipboard_->clear();
  clipboard_->setText(QString::fromStdString(text));
}

void frmMain::cmdEnd_Click() {
  close();
  QApplication::quit();
}

}  // namespace serialix

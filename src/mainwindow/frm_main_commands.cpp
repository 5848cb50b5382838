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
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/virtual_list_box.h"

namespace serialix {
namespace {

const QString kTitle = QStringLiteral("Serialix");

// Clipboard text above this size is refused rather than built in memory.
constexpr std::uint64_t kClipboardLimit = 256ull * 1024 * 1024;

void remember(QComboBox* combo) {
  std::vector<std::string> history;
  for (const QString& entry : HistoryEntries(combo)) history.push_back(entry.toStdString());
  const QString text = combo->currentText();
  if (RememberInHistory(history, text.toStdString())) AppendHistoryEntry(combo, text);
}

std::string segment(QCheckBox* check, const QString& text) {
  return check->isChecked() ? text.toStdString() : std::string();
}

int selectedStyle(const std::array<QRadioButton*, 3>& options) {
  for (int i = 0; i < 3; ++i) {
    if (options[i]->isChecked()) return i;
  }
  return 0;
}

CounterInput counterInput(QCheckBox* check, const std::array<QComboBox*, 2>& combos,
                          const std::array<QRadioButton*, 3>& options) {
  CounterInput c;
  c.enabled = check->isChecked();
  c.fromText = combos[0]->currentText().toStdString();
  c.toText = combos[1]->currentText().toStdString();
  c.style = static_cast<FillStyle>(selectedStyle(options));
  return c;
}

}  // namespace

void frmMain::ListOut() {
  remember(cmbB);
  remember(cmbK);
  remember(cmbN);

  TemplateInput input;
  input.B = cmbB->currentText().toStdString();
  input.C = segment(CheckC, lblC->text());
  input.D = segment(CheckD, cmbD->currentText());
  input.E = segment(CheckE, lblE->text());
  input.F = segment(CheckF, txtF->text());
  input.H = segment(CheckH, lblH->text());
  input.I = segment(CheckI, txtI->text());
  input.K = segment(CheckK, cmbK->currentText());
  input.M = segment(CheckM, lblM->text());
  input.N = segment(CheckN, cmbN->currentText());
  input.counterLink = linkOn();
  input.G = counterInput(CheckG, cmbG, opt1);
  input.J = counterInput(CheckJ, cmbJ, opt2);
  input.L = counterInput(CheckL, cmbL, opt3);

  auto result = ReadTemplate(input);
  if (const auto* error = std::get_if<CounterTextError>(&result)) {
    messages()->inform(this, kTitle,
                       QStringLiteral("カウンター %1 の値「%2」は整数として読めません。")
                           .arg(QChar(error->counter), QString::fromStdString(error->text)));
    return;
  }
  if (const auto* error = std::get_if<SegmentTextError>(&result)) {
    messages()->inform(this, kTitle,
                       QStringLiteral("セグメント %1 の文字列に改行などの制御文字が含まれているため、一覧に追加できません。")
                           .arg(QChar(error->segment)));
    return;
  }
  const auto& tmpl = std::get<AddressTemplate>(result);
  if (!AddressCount(tmpl) || !List1->appendRun(AddressRun(tmpl))) {
    messages()->inform(this, kTitle, QStringLiteral("アドレスの数が多すぎて一覧に追加できません。"));
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
    messages()->inform(this, kTitle,
                       QStringLiteral("一覧が大きすぎてクリップボードにコピーできません（256 MiB まで）。"));
    return;
  }
  std::string text;
  text.reserve(rows.textBytes());
  rows.writeAll([&text](std::string_view chunk) {
    text.append(chunk);
    return true;
  });
  clipboard()->clear();
  clipboard()->setText(QString::fromStdString(text));
}

void frmMain::cmdEnd_Click() {
  close();
  QApplication::quit();
}

}  // namespace serialix

// Starting from an example address: the address on the clipboard, cut into the template by the
// dialog, is set through the window's own controls, as a user would set it by hand.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "mainwindow/example_address_dialog.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/link_caption.h"
#include "platform/services/clipboard.h"
#include "platform/services/message_box.h"

namespace serialix {

void frmMain::buildExampleAddressCommand(AskTemplate askTemplate) {
  askTemplate_ = askTemplate ? std::move(askTemplate) : AskTemplate(&AskTemplateFromExample);
  auto* action = exampleAddressAction_ = new QAction(QStringLiteral("例のアドレスから作成…"), this);
  action->setObjectName(QStringLiteral("actExampleAddress"));
  action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
  // Window-wide, so it works from every control, the combos and text boxes included.
  action->setShortcutContext(Qt::WindowShortcut);
  action->setToolTip(QStringLiteral("クリップボードのアドレスからテンプレートを作ります"));
  action->setStatusTip(action->toolTip());
  addAction(action);
  connect(action, &QAction::triggered, this, &frmMain::startFromExampleAddress);
}

void frmMain::startFromExampleAddress() {
  const auto read = ReadExampleAddress(clipboard_->textBytes());
  if (const auto* error = std::get_if<ExampleAddressError>(&read)) {
    inform(ExampleAddressErrorMessage(*error));
    return;
  }
  const auto proposal = askTemplate_(std::get<ExampleAddress>(read), this);
  // Without a window manager nothing hands the activation back when the dialog closes, and the
  // window's shortcuts only work in the active window.
  activateWindow();
  if (proposal) applyTemplateProposal(*proposal);
}

// The order matters: each step's cascades (link mirroring, the ordering rule, the refill of an
// option click) would overwrite what an earlier step set the other way round.
void frmMain::applyTemplateProposal(const TemplateProposal& p) {
  const std::pair<QCheckBox*, bool> switches[] = {
      {CheckC, p.on.C},          {CheckD, p.on.D},          {CheckE, p.on.E}, {CheckF, p.on.F},
      {counterG_.check, p.on.G}, {CheckH, p.on.H},          {CheckI, p.on.I}, {counterJ_.check, p.on.J},
      {CheckK, p.on.K},          {counterL_.check, p.on.L}, {CheckM, p.on.M}, {CheckN, p.on.N}};
  for (const auto& [check, on] : switches) {
    if (check->isChecked() != on) check->setChecked(on);
  }
  if (Check2->text() != LinkCaption(p.counterLink)) Check2->click();
  if (Check1->text() != LinkCaption(p.textLink)) Check1->click();

  const auto chooseStyle = [](const CounterControls& counter, FillStyle style) {
    counter.options[static_cast<std::size_t>(style)]->setChecked(true);
  };
  if (p.on.G) chooseStyle(counterG_, p.G.style);
  if (p.on.J && !linkOn()) chooseStyle(counterJ_, p.J.style);
  if (p.on.L) chooseStyle(counterL_, p.L.style);

  // Segments the address does not use keep their texts, as switched-off counters do.
  cmbB->setEditText(QString::fromStdString(p.B));
  if (p.on.F) txtF->setText(QString::fromStdString(p.F));
  if (p.on.I) txtI->setText(QString::fromStdString(p.I));
  if (p.on.K) cmbK->setEditText(QString::fromStdString(p.K));
  if (p.on.N) cmbN->setEditText(QString::fromStdString(p.N));

  const auto setCounter = [](const CounterControls& counter, const CounterSetting& setting) {
    counter.combos[0]->setEditText(QString::fromStdString(setting.from));
    counter.combos[1]->setEditText(QString::fromStdString(setting.to));
  };
  if (p.on.G) setCounter(counterG_, p.G);
  if (p.on.J && !linkOn()) setCounter(counterJ_, p.J);
  if (p.on.L) setCounter(counterL_, p.L);

  // The user types the last number and presses Enter; without a counter there is only 実行 left
  // (and the control that had the focus may just have been disabled).
  const CounterControls* last = counterByLetter(QString(QChar(p.lastCounter)));
  if (!last) {
    cmdR->setFocus(Qt::ShortcutFocusReason);
    return;
  }
  QComboBox* to = last->combos[1];
  to->setFocus(Qt::ShortcutFocusReason);
  to->lineEdit()->selectAll();
}

}  // namespace serialix

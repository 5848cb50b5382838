// Segment A's scheme: "http://" as designed, or "https://" when the user chooses it. The choice
// is one checkable action; lblA's caption shows it and a click on lblA toggles it.
#include <QAction>
#include <QKeySequence>
#include <QLabel>

#include "mainwindow/frm_main.h"
#include "mainwindow/window_command.h"
#include "platform/input/clickable.h"
#include "platform/look/fitted_caption.h"
#include "platform/look/japanese_font.h"
#include "platform/widgets/caption_toggle_accessible.h"

namespace serialix {

void frmMain::buildHttpsCommand() {
  auto* action = httpsAction_ = WindowCommand(this, QStringLiteral("https:// で作成"), QStringLiteral("actHttps"),
                                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H),
                                              QStringLiteral("アドレスの先頭を http:// と https:// で切り替えます"));
  action->setCheckable(true);
  connect(action, &QAction::toggled, this, &frmMain::chooseHttps);
  OnLeftClick(lblA, [action] { action->toggle(); });
}

bool frmMain::httpsChosen() const {
  return httpsAction_->isChecked();
}

void frmMain::chooseHttps(bool on) {
  // The action holds the choice; setting it runs this handler again through toggled.
  if (httpsAction_->isChecked() != on) {
    httpsAction_->setChecked(on);
    return;
  }
  const QString scheme = QString::fromUtf8(SchemeText(on));
  if (lblA->text() != scheme) {
    // "https://" is wider than the designed "http://": the font shrinks until cmbB leaves it whole.
    FitLabelFont(lblA, scheme, JapaneseUiFont());
    SetToggleCaption(lblA, scheme);
    lblA->setAccessibleName(QStringLiteral("先頭 ") + scheme);
  }
  updateCount();
}

}  // namespace serialix

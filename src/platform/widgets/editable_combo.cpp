#include "platform/widgets/editable_combo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace serialix {

void MakeEditableWithoutCompleter(QComboBox* combo) {
  // A list made already (a style or font change makes it) was set up for a combo that was not
  // editable, and a style that shows even an editable combo's list as a popup menu needs it
  // now: both take setEditable's own way, completer and all, which is then dropped.
  QStyleOptionComboBox option;
  option.initFrom(combo);
  option.editable = true;
  if (combo->findChild<QAbstractItemView*>() || combo->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, combo)) {
    combo->setEditable(true);
    combo->setCompleter(nullptr);
    return;
  }
  auto* edit = new QLineEdit(combo);
  edit->setPalette(combo->palette());
  // setLineEdit makes a completer for a line edit that has none; one placeholder, lent to each
  // line edit and taken back at once, spares making one per combo only to drop it.
  static QCompleter* const placeholder = new QCompleter(qApp);
  edit->setCompleter(placeholder);
  combo->setLineEdit(edit);
  combo->setCompleter(nullptr);
}

}  // namespace serialix

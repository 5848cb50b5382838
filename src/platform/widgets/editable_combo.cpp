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
  // A style that draws an editable combo's list as a popup menu wants it scrollable, which
  // setEditable arranges on the list; only there is the list made now.
  QStyleOptionComboBox option;
  option.initFrom(combo);
  option.editable = true;
  if (combo->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, combo))
    combo->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

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

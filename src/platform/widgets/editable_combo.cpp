#include "platform/widgets/editable_combo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QResizeEvent>
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

EditableComboBox::EditableComboBox(QWidget* parent) : LazyListComboBox(parent) {
  MakeEditableWithoutCompleter(this);
}

void LazyListComboBox::changeEvent(QEvent* event) {
  const bool passedOn = event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange;
  if (!passedOn || findChild<QAbstractItemView*>()) {
    QComboBox::changeEvent(event);
    return;
  }
  QWidget::changeEvent(event);
  // What the change means without a list: the line edit in the style's edit field, for this font.
  QResizeEvent placed(size(), size());
  QComboBox::resizeEvent(&placed);
}

}  // namespace serialix

#include "mainwindow/segment_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace serialix {

bool SegmentControls::included() const {
  return !check || check->isChecked();
}

QString SegmentRole(const Segment& segment) {
  switch (segment.kind) {
    case SegmentKind::Fixed: return QStringLiteral("区切り");
    case SegmentKind::Letter: return QStringLiteral("文字");
    case SegmentKind::Counter: return QStringLiteral("カウンター");
    case SegmentKind::Text: break;
  }
  switch (segment.letter) {
    case 'B': return QStringLiteral("ホスト");
    case 'K': return QStringLiteral("記号");
    case 'N': return QStringLiteral("拡張子");
    default: return QStringLiteral("テキスト");
  }
}

QString FixedText(const Segment& segment) {
  return QString::fromUtf8(segment.fixedText.data(), static_cast<qsizetype>(segment.fixedText.size()));
}

QString FieldText(const QWidget* field) {
  if (const auto* label = qobject_cast<const QLabel*>(field)) return label->text();
  if (const auto* combo = qobject_cast<const QComboBox*>(field)) return combo->currentText();
  if (const auto* edit = qobject_cast<const QLineEdit*>(field)) return edit->text();
  return {};
}

void SetFieldText(QWidget* field, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(field)) label->setText(text);
  if (auto* combo = qobject_cast<QComboBox*>(field)) {
    // A list-only combo (the letter) shows the entry of that text, or none.
    if (combo->isEditable())
      combo->setEditText(text);
    else
      combo->setCurrentIndex(combo->findText(text));
  }
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->setText(text);
}

void OnFieldTextChanged(QWidget* field, QObject* context, const std::function<void()>& changed) {
  if (auto* combo = qobject_cast<QComboBox*>(field)) {
    // A list-only combo (the letter) changes by its selection.
    if (combo->isEditable()) {
      QObject::connect(combo, &QComboBox::editTextChanged, context, changed);
    } else {
      QObject::connect(combo, &QComboBox::currentIndexChanged, context, changed);
    }
  }
  if (auto* edit = qobject_cast<QLineEdit*>(field)) QObject::connect(edit, &QLineEdit::textChanged, context, changed);
}

}  // namespace serialix

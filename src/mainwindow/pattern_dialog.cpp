#include "mainwindow/pattern_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "mainwindow/dialog_captions.h"
#include "platform/look/japanese_font.h"

namespace serialix {

PatternDialog::PatternDialog(const QString& pattern, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PatternDialog"));
  setWindowTitle(QStringLiteral("パターンから作成"));
  setFont(JapaneseUiFont(10));
  const QString description = QStringLiteral(
      "curl と同じ書き方のパターン。範囲は 3 つまで、[1-9]、[01-99]、[001-999] の形で、[#1] は"
      "カウンター J を G に連動させます。");

  pattern_ = new QLineEdit(pattern);
  pattern_->setObjectName(QStringLiteral("patternText"));
  pattern_->setMinimumWidth(480);
  pattern_->setPlaceholderText(QStringLiteral("http://example.com/a/vol[01-03]/page[01-12].jpg"));
  Describe(pattern_, QStringLiteral("パターン"), description);
  pattern_->selectAll();

  auto* caption = new QLabel(QStringLiteral("パターン(&P):"));
  caption->setBuddy(pattern_);
  auto* hint = new QLabel(description);
  hint->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setAccessibleDescription(QStringLiteral("パターンをテンプレートにします"));
  buttons->button(QDialogButtonBox::Cancel)->setAccessibleDescription(QStringLiteral("何も変えずに閉じます"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addWidget(pattern_);
  layout->addWidget(hint);
  layout->addWidget(buttons);
}

QString PatternDialog::pattern() const {
  return pattern_->text();
}

std::optional<QString> AskPattern(const QString& pattern, QWidget* parent) {
  PatternDialog dialog(pattern, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.pattern();
}

}  // namespace serialix

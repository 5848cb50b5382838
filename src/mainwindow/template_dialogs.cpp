#include "mainwindow/template_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "mainwindow/dialog_captions.h"
#include "platform/input/control_characters.h"

namespace serialix {
namespace {

QPushButton* Button(QDialogButtonBox* box, const QString& text, QDialogButtonBox::ButtonRole role,
                    const QString& objectName, const QString& description) {
  QPushButton* button = box->addButton(text, role);
  button->setObjectName(objectName);
  Describe(button, text, description);
  return button;
}

}  // namespace

TemplateNameDialog::TemplateNameDialog(const QStringList& savedNames, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("テンプレートを保存"));
  Describe(this, windowTitle(), QStringLiteral("いまのテンプレートを名前を付けて保存します"));

  name_ = new QComboBox;
  name_->setObjectName(QStringLiteral("templateName"));
  name_->setEditable(true);
  name_->setInsertPolicy(QComboBox::NoInsert);
  name_->addItems(savedNames);
  name_->setEditText(QString());
  // A paste too long for a field is undone; a name has no message of its own, the beep says it.
  GuardFieldInput(name_->lineEdit(), [] { QApplication::beep(); });
  Describe(name_, QStringLiteral("名前"),
           QStringLiteral("保存するテンプレートの名前。保存済みの名前を選ぶと、そのテンプレートを置き換えます"));

  auto* buttons = new QDialogButtonBox;
  QPushButton* save = Button(buttons, QStringLiteral("保存"), QDialogButtonBox::AcceptRole,
                             QStringLiteral("saveTemplate"), QStringLiteral("この名前で保存します"));
  Button(buttons, QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole, QStringLiteral("cancel"),
         QStringLiteral("保存せずに閉じます"));
  save->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  const auto updateSave = [this, save] { save->setEnabled(!name().isEmpty()); };
  connect(name_, &QComboBox::editTextChanged, this, updateSave);
  updateSave();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Caption(QStringLiteral("名前(&N):"), name_, QStringLiteral("テンプレートの名前")));
  layout->addWidget(name_);
  layout->addWidget(buttons);
  resize(360, sizeHint().height());
  name_->setFocus();
}

QString TemplateNameDialog::name() const {
  return name_->currentText().trimmed();
}

OpenTemplateDialog::OpenTemplateDialog(const std::vector<TemplateListEntry>& newestFirst, RemoveTemplate remove,
                                       QWidget* parent)
    : QDialog(parent), remove_(std::move(remove)) {
  setWindowTitle(QStringLiteral("テンプレートを開く"));
  Describe(this, windowTitle(), QStringLiteral("保存したテンプレートを選んでメイン ウィンドウに設定します"));

  names_ = new QListWidget;
  names_->setObjectName(QStringLiteral("templateNames"));
  Describe(names_, QStringLiteral("保存したテンプレート"), QStringLiteral("新しく保存したものから順に並んでいます"));
  for (const TemplateListEntry& entry : newestFirst) {
    auto* item = new QListWidgetItem(entry.name, names_);
    const QString saved = QDateTime::fromSecsSinceEpoch(entry.savedAt).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    item->setToolTip(QStringLiteral("保存日時: %1").arg(saved));
  }
  names_->setCurrentRow(0);

  none_ = new QLabel(QStringLiteral("保存したテンプレートはありません。"));
  none_->setObjectName(QStringLiteral("noTemplates"));

  auto* buttons = new QDialogButtonBox;
  open_ = Button(buttons, QStringLiteral("開く"), QDialogButtonBox::AcceptRole, QStringLiteral("openTemplate"),
                 QStringLiteral("選んだテンプレートをメイン ウィンドウに設定します"));
  delete_ = Button(buttons, QStringLiteral("削除"), QDialogButtonBox::ActionRole, QStringLiteral("deleteTemplate"),
                   QStringLiteral("選んだテンプレートを削除します。削除する前に確認します"));
  Button(buttons, QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole, QStringLiteral("cancel"),
         QStringLiteral("何も変えずに閉じます"));
  open_->setDefault(true);
  delete_->setAutoDefault(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(delete_, &QPushButton::clicked, this, &OpenTemplateDialog::removeChosen);
  // Enter and a double click on a name open it.
  connect(names_, &QListWidget::itemActivated, this, &QDialog::accept);
  connect(names_, &QListWidget::currentRowChanged, this, &OpenTemplateDialog::updateButtons);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Caption(QStringLiteral("テンプレート(&T):"), names_, QStringLiteral("保存したテンプレートの名前")));
  layout->addWidget(names_, 1);
  layout->addWidget(none_);
  layout->addWidget(buttons);
  resize(360, 320);
  updateButtons();
  names_->setFocus();
}

QString OpenTemplateDialog::chosenName() const {
  const QListWidgetItem* item = names_->currentItem();
  return item ? item->text() : QString();
}

void OpenTemplateDialog::removeChosen() {
  QListWidgetItem* item = names_->currentItem();
  if (!item || !remove_(item->text())) return;
  delete item;
  updateButtons();
  names_->setFocus();
}

void OpenTemplateDialog::updateButtons() {
  const bool chosen = names_->currentItem() != nullptr;
  open_->setEnabled(chosen);
  delete_->setEnabled(chosen);
  none_->setVisible(names_->count() == 0);
}

std::optional<QString> AskTemplateNameDialog(const QStringList& savedNames, QWidget* parent) {
  TemplateNameDialog dialog(savedNames, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.name();
}

std::optional<QString> ChooseTemplateDialog(const std::vector<TemplateListEntry>& newestFirst,
                                            const RemoveTemplate& remove, QWidget* parent) {
  OpenTemplateDialog dialog(newestFirst, remove, parent);
  if (dialog.exec() != QDialog::Accepted || dialog.chosenName().isEmpty()) return std::nullopt;
  return dialog.chosenName();
}

}  // namespace serialix

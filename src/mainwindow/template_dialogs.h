// The two dialogs of saved templates: a name to save under, and the list to open or delete from.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace serialix {

// A saved template as the open dialog lists it.
struct TemplateListEntry {
  QString name;
  std::int64_t savedAt = 0;  // seconds since 1970-01-01 UTC
};

// Asks the name to save under, offering the saved names (newest first) to replace one; the name
// without surrounding blanks on 保存, nothing on Cancel.
using AskTemplateName = std::function<std::optional<QString>(const QStringList& savedNames, QWidget* parent)>;
// Shows the saved templates, newest first; the name to open, nothing on Cancel. `remove` deletes
// one after asking (true when it is gone).
using RemoveTemplate = std::function<bool(const QString& name)>;
using ChooseTemplate = std::function<std::optional<QString>(const std::vector<TemplateListEntry>& newestFirst,
                                                            const RemoveTemplate& remove, QWidget* parent)>;

class TemplateNameDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TemplateNameDialog(const QStringList& savedNames, QWidget* parent = nullptr);
  QString name() const;

 private:
  QComboBox* name_ = nullptr;
};

class OpenTemplateDialog : public QDialog {
  Q_OBJECT

 public:
  OpenTemplateDialog(const std::vector<TemplateListEntry>& newestFirst, RemoveTemplate remove,
                     QWidget* parent = nullptr);
  // The highlighted name; empty when the list is empty.
  QString chosenName() const;

 private:
  void removeChosen();
  void updateButtons();

  RemoveTemplate remove_;
  QListWidget* names_ = nullptr;
  QLabel* none_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* delete_ = nullptr;
};

// The dialogs, modal.
std::optional<QString> AskTemplateNameDialog(const QStringList& savedNames, QWidget* parent);
std::optional<QString> ChooseTemplateDialog(const std::vector<TemplateListEntry>& newestFirst,
                                            const RemoveTemplate& remove, QWidget* parent);

}  // namespace serialix

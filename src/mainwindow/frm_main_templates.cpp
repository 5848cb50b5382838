// Saved templates: "テンプレートを保存…" keeps the whole template under a name in templates.ini
// beside set.ini, "テンプレートを開く…" sets it again through the window's own controls.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <chrono>
#include <functional>

#include "export/list_export.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/link_caption.h"
#include "mainwindow/window_command.h"
#include "mainwindow/window_messages.h"
#include "platform/services/message_box.h"
#include "settings/templates_file.h"

namespace serialix {
namespace {

QString ProblemReason(const TemplatesFileProblem& problem) {
  if (const auto* error = std::get_if<std::error_code>(&problem)) return FileErrorReason(*error);
  return TemplatesFileErrorReason(std::get<SavedTemplatesError>(problem));
}

QString NativePath(const std::filesystem::path& path) {
  return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

// The saved templates, newest first; nothing once `refuse` is told the path and why the file cannot
// be used.
std::optional<std::vector<SavedTemplate>> NewestTemplates(
    const std::filesystem::path& file, const std::function<void(const QString& path, const QString& reason)>& refuse) {
  auto loaded = LoadTemplates(file);
  if (const auto* problem = std::get_if<TemplatesFileProblem>(&loaded)) {
    refuse(NativePath(file), ProblemReason(*problem));
    return std::nullopt;
  }
  const auto& inFileOrder = std::get<std::vector<SavedTemplate>>(loaded);
  std::vector<SavedTemplate> newest;
  for (std::size_t i : NewestFirst(inFileOrder)) newest.push_back(inFileOrder[i]);
  return newest;
}

}  // namespace

void frmMain::buildTemplateCommands(AskTemplateName askName, ChooseTemplate choose) {
  askTemplateName_ = askName ? std::move(askName) : AskTemplateName(&AskTemplateNameDialog);
  chooseTemplate_ = choose ? std::move(choose) : ChooseTemplate(&ChooseTemplateDialog);
  openTemplateAction_ =
      WindowCommand(this, QStringLiteral("テンプレートを開く…"), QStringLiteral("actOpenTemplate"),
                    QKeySequence(Qt::CTRL | Qt::Key_O), QStringLiteral("保存したテンプレートを選んで設定します"));
  saveTemplateAction_ = WindowCommand(this, QStringLiteral("テンプレートを保存…"), QStringLiteral("actSaveTemplate"),
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                                      QStringLiteral("いまのテンプレートを名前を付けて保存します"));
  connect(openTemplateAction_, &QAction::triggered, this, &frmMain::openTemplate);
  connect(saveTemplateAction_, &QAction::triggered, this, &frmMain::saveTemplate);
}

SavedTemplate frmMain::currentTemplate() const {
  SavedTemplate t;
  t.https = httpsChosen();
  for (const SegmentControls& s : segments_) {
    if (s.check) t.on[s.letter()] = s.check->isChecked();
    if (std::string* text = t.text(s.letter())) *text = FieldText(s.field).toStdString();
    if (s.counter) {
      CounterSetting& counter = *t.counter(s.letter());
      counter.style = SelectedStyle(*s.counter);
      counter.from = s.counter->combos[0]->currentText().toStdString();
      counter.to = s.counter->combos[1]->currentText().toStdString();
    }
  }
  t.textLink = Check1->text() == LinkCaption(true);
  t.counterLink = linkOn();
  return t;
}

void frmMain::saveTemplate() {
  const std::filesystem::path file = TemplatesFilePath(settingsFile_);
  // A file that cannot be read would lose its templates if it were written: refused at once.
  const auto templates = NewestTemplates(
      file, [this](const QString& path, const QString& reason) { inform(TemplateNotSavedMessage(path, reason)); });
  if (!templates) return;
  QStringList names;
  for (const SavedTemplate& t : *templates) names << QString::fromStdString(t.name);

  const std::optional<QString> name = askTemplateName_(names, this);
  // Without a window manager nothing hands the activation back when the dialog closes.
  activateWindow();
  if (!name || name->isEmpty()) return;
  if (names.contains(*name) && messages_->askYesNo(this, ReplaceTemplateQuestion(*name)) != MessageBox::Answer::Yes)
    return;

  SavedTemplate saved = currentTemplate();
  saved.name = name->toStdString();
  saved.savedAt =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  if (const auto problem = StoreTemplate(file, saved))
    inform(TemplateNotSavedMessage(NativePath(file), ProblemReason(*problem)));
}

void frmMain::openTemplate() {
  const std::filesystem::path file = TemplatesFilePath(settingsFile_);
  const auto templates = NewestTemplates(
      file, [this](const QString& path, const QString& reason) { inform(TemplatesUnreadableMessage(path, reason)); });
  if (!templates) return;
  std::vector<TemplateListEntry> entries;
  for (const SavedTemplate& t : *templates) entries.push_back({QString::fromStdString(t.name), t.savedAt});

  const RemoveTemplate remove = [this, &file](const QString& name) {
    if (messages_->askYesNo(this, DeleteTemplateQuestion(name)) != MessageBox::Answer::Yes) return false;
    if (const auto problem = DeleteTemplate(file, name.toStdString())) {
      inform(TemplateNotDeletedMessage(NativePath(file), ProblemReason(*problem)));
      return false;
    }
    return true;
  };
  const std::optional<QString> chosen = chooseTemplate_(entries, remove, this);
  activateWindow();
  if (!chosen) return;
  // A deleted template is no longer listed, so the chosen one is still among those read.
  const std::string name = chosen->toStdString();
  for (const SavedTemplate& t : *templates) {
    if (t.name == name) return applySavedTemplate(t);
  }
}

// A saved template is set through the window's own handlers, in the order of the example
// address (applyTemplateProposal), with every segment and counter set, switched off or not:
//  0. Segment A's scheme, through the https choice's handler.
//  1. The switches, in address order, each only where its value differs. Unchecking CheckG
//     releases the counter link.
//  2. Check2 clicked when its caption is not the saved one (CheckG is on whenever the saved link
//     holds), then Check1 the same way; linking F and I copies F into I.
//  3. The fill style of G, J and L (J only while the counter link is released: it takes G's):
//     an option click rewrites the counter's texts, so it comes before them.
//  4. The texts of B, D, F, I, K and N in address order; with the text link F is mirrored into I,
//     which is then set to its own saved text (the same, unless I was edited after F).
//  5. The from and then the to text of G, J (only while released) and L: a from above the to
//     raises the to, which is then set to its saved text.
//  6. The focus in the to combo of the last counter that is on and not following, its text
//     selected (none: on 実行).
// The result list, the histories and set.ini are not touched and nothing is run.
void frmMain::applySavedTemplate(const SavedTemplate& t) {
  applySchemeSwitchesAndLinks(t.https, t.on, t.textLink, t.counterLink);

  applyStylesAndTexts([&t](char letter) { return t.text(letter); }, [&t](char letter) { return t.counter(letter); });

  const auto ownCounter = [this](const SegmentControls& s) { return s.counter && !(s.counter->follows && linkOn()); };
  for (auto s = segments_.rbegin(); s != segments_.rend(); ++s) {
    if (!s->counter || !s->check->isChecked() || !ownCounter(*s)) continue;
    QComboBox* to = s->counter->combos[1];
    to->setFocus(Qt::ShortcutFocusReason);
    to->lineEdit()->selectAll();
    return;
  }
  cmdR->setFocus(Qt::ShortcutFocusReason);
}

}  // namespace serialix

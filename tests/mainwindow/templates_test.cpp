// Saved templates in the window: what is saved comes back through the controls, across a restart,
// without touching the result list or the histories.
#include <QAction>
#include <QFile>
#include <QListWidget>
#include <utility>

#include "main_window_fixture.h"
#include "mainwindow/template_dialogs.h"

namespace serialix::testing {
namespace {

class TemplatesTest : public MainWindowTest {
 protected:
  void SetUp() override {
    askTemplateName = [this](const QStringList& names, QWidget*) {
      offeredNames = names;
      return std::optional<QString>(nameToSave);
    };
    chooseTemplate = [this](const std::vector<TemplateListEntry>& entries, const RemoveTemplate& remove, QWidget*) {
      listed.clear();
      for (const TemplateListEntry& e : entries) listed << e.name;
      if (!chooseTemplateWith) return std::optional<QString>(nameToOpen);
      const auto choose = std::exchange(chooseTemplateWith, nullptr);
      return choose(entries, remove);
    };
    MainWindowTest::SetUp();
  }

  void trigger(const char* action) { FindControl<QAction>(w.get(), action)->trigger(); }

  // Every control a saved template sets: captions, checks, texts, enabled states.
  QStringList controls() const {
    QStringList state;
    for (const QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
      if (b->objectName().startsWith("cmd")) continue;  // the list's commands follow the list
      state << QStringLiteral("%1 %2 %3 %4").arg(b->objectName(), b->text()).arg(b->isChecked()).arg(b->isEnabled());
    }
    for (const QComboBox* c : w->findChildren<QComboBox*>())
      state << QStringLiteral("%1 %2 %3").arg(c->objectName(), c->currentText()).arg(c->isEnabled());
    for (const char* name : {"txtF", "txtI"})
      state << QStringLiteral("%1 %2 %3").arg(name, edit(name)->text()).arg(edit(name)->isEnabled());
    return state;
  }
  QStringList kept() const { return rows() + items(combo("cmbB")) + items(combo("cmbK")) + items(combo("cmbN")); }

  QString nameToSave, nameToOpen;
  QStringList offeredNames, listed;
  // The real dialog for the next open, driven by the test.
  std::function<std::optional<QString>(const std::vector<TemplateListEntry>&, const RemoveTemplate&)>
      chooseTemplateWith;
};

TEST_F(TemplatesTest, ATemplateComesBackAfterARestartAndTouchesNeitherListNorHistories) {
  // A template a user could set: links released, texts of switched-off segments kept, styles,
  // an empty range (from above to) and a letter.
  combo("cmbB")->setEditText("example.com/gallery");
  combo("cmbD")->setCurrentIndex(2);
  button("Check2")->click();
  button("Check1")->click();
  edit("txtF")->setText("vol");
  edit("txtI")->setText(" page ");
  option("opt2(1)")->setChecked(true);
  typeInto(combo("cmbJ(0)"), "12");
  typeInto(combo("cmbJ(1)"), "3");
  option("opt3(2)")->setChecked(true);
  typeInto(combo("cmbL(1)"), "5");
  check("CheckL")->setChecked(false);
  check("CheckK")->setChecked(false);
  combo("cmbK")->setEditText("_x_");
  FindControl<QAction>(w.get(), "actHttps")->trigger();
  const QStringList saved = controls() << label("lblA")->text();
  nameToSave = "一つ目 [=]";
  trigger("actSaveTemplate");
  nameToSave = "二つ目";
  trigger("actSaveTemplate");
  EXPECT_EQ(offeredNames, QStringList{"一つ目 [=]"});

  restart();
  // Everything else: the link back, other texts, a run that fills the list and the histories.
  check("CheckD")->setChecked(false);
  edit("txtF")->setText("other");
  combo("cmbN")->setEditText("png");
  typeInto(combo("cmbG(1)"), "2");
  button("cmdR")->click();
  const QStringList before = kept();
  ASSERT_EQ(rows().size(), 3);

  nameToOpen = "一つ目 [=]";
  trigger("actOpenTemplate");
  EXPECT_EQ(listed, (QStringList{"二つ目", "一つ目 [=]"})) << "newest first";
  EXPECT_EQ(controls() << label("lblA")->text(), saved);
  EXPECT_EQ(saved.last(), "https://");
  EXPECT_EQ(kept(), before);
  EXPECT_TRUE(combo("cmbJ(1)")->hasFocus()) << "J is the last counter on";
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TemplatesTest, AnExistingNameIsReplacedOnlyAfterYes) {
  nameToSave = "t";
  trigger("actSaveTemplate");
  edit("txtF")->setText("newer");
  messages.nextAnswers = {MessageBox::Answer::No};
  trigger("actSaveTemplate");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].question);
  edit("txtF")->setText("");
  nameToOpen = "t";
  trigger("actOpenTemplate");
  EXPECT_EQ(edit("txtF")->text(), "");
  trigger("actSaveTemplate");  // Yes this time
  edit("txtF")->setText("other");
  trigger("actOpenTemplate");
  EXPECT_EQ(edit("txtF")->text(), "");
}

TEST_F(TemplatesTest, TheOpenDialogDeletesAfterAskingAndOpensTheHighlightedName) {
  for (const char* name : {"a", "b", "c"}) {
    nameToSave = name;
    edit("txtF")->setText(name);
    trigger("actSaveTemplate");
  }
  chooseTemplateWith = [this](const std::vector<TemplateListEntry>& entries, const RemoveTemplate& remove) {
    OpenTemplateDialog dialog(entries, remove, w.get());
    auto* del = FindControl<QPushButton>(&dialog, "deleteTemplate");
    messages.nextAnswers = {MessageBox::Answer::No, MessageBox::Answer::Yes};
    del->click();  // c, the newest: kept on No
    del->click();  // deleted on Yes; b is highlighted next
    EXPECT_EQ(FindControl<QListWidget>(&dialog, "templateNames")->count(), 2);
    return std::optional<QString>(dialog.chosenName());
  };
  trigger("actOpenTemplate");
  EXPECT_EQ(edit("txtF")->text(), "b");
  EXPECT_EQ(messages.shown.size(), 2u);
  trigger("actOpenTemplate");
  EXPECT_EQ(listed, (QStringList{"b", "a"})) << "c is gone from the file";
}

TEST_F(TemplatesTest, AMalformedFileIsReportedWithItsPathAndNeverWritten) {
  const QString path = dir.filePath("templates.ini");
  const QByteArray handEdited = "[mine]\nG.Style=0001\n";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(handEdited);
  file.close();

  nameToOpen = "mine";
  trigger("actOpenTemplate");
  nameToSave = "new";
  trigger("actSaveTemplate");
  ASSERT_EQ(messages.shown.size(), 2u);
  for (const auto& shown : messages.shown) {
    EXPECT_TRUE(shown.text.contains(path)) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.contains("2 行目")) << shown.text.toStdString();
  }
  EXPECT_TRUE(listed.isEmpty()) << "no list is offered from a malformed file";
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), handEdited);
}

}  // namespace
}  // namespace serialix::testing

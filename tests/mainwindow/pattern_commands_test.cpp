// Patterns in and out of the window: what the copy holds is what the run appends, and a pattern
// applied becomes a template whose run yields the pattern's addresses.
#include <QAction>
#include <QMenu>
#include <random>

#include "core/pattern.h"
#include "main_window_fixture.h"
#include "mainwindow/window_messages.h"

namespace serialix::testing {
namespace {

class PatternCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    askPattern = [this](const QString& prefill, QWidget*) {
      prefills << prefill;
      return typed.isEmpty() ? std::nullopt : std::optional(typed.takeFirst());
    };
    MainWindowTest::SetUp();
  }

  void press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : w.get(), key, modifiers);
  }

  // The addresses serialix-list writes for the pattern.
  static QStringList expand(const QString& pattern) {
    const auto read = ReadPattern(pattern.toStdString());
    if (!std::holds_alternative<Pattern>(read)) return {"unreadable: " + pattern};
    std::string text;
    WritePatternLines(std::get<Pattern>(read), [&](std::string_view chunk) { return text += chunk, true; });
    return QString::fromStdString(text).split('\n', Qt::SkipEmptyParts);
  }

  QStringList run() {
    const qsizetype before = rows().size();
    button("cmdR")->click();
    return rows().mid(before);
  }

  QStringList prefills, typed;  // what the dialog showed; what the user types, then Cancel
};

TEST_F(PatternCommandsTest, PropertyCopiedPatternExpandsToExactlyTheRowsTheRunAppends) {
  std::mt19937 random(20261208);
  const auto pick = [&](int n) { return int(random() % unsigned(n)); };
  const QString pieces[] = {"", "a", "/", ".", "[", "}", "\\", "#1", "日本", "x?y"};
  for (int round = 0; round < 60; ++round) {
    for (const char* name : {"cmbB", "cmbK", "cmbN"}) combo(name)->setEditText(pieces[pick(10)] + pieces[pick(10)]);
    for (const char* name : {"txtF", "txtI"}) edit(name)->setText(pieces[pick(10)]);
    for (const QString letter : {"C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N"}) {
      check("Check" + letter)->setChecked(pick(4) != 0);
    }
    if (pick(2)) button("Check2")->click();
    if (pick(2)) w->findChild<QAction*>("actHttps")->toggle();
    for (const QString letter : {"G", "J", "L"}) {
      options("opt" + QString::number(letter == "G" ? 1 : letter == "J" ? 2 : 3))[pick(3)]->click();
      const int from = pick(3) ? pick(12) : 95 + pick(10);
      counterCombos(letter)[0]->setEditText(QString::number(from));
      counterCombos(letter)[1]->setEditText(QString::number(from + pick(4)));
    }
    w->findChild<QAction*>("actCopyPattern")->trigger();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.back().text.toStdString();
    ASSERT_EQ(expand(clipboard.held), run()) << clipboard.held.toStdString();
  }
}

TEST_F(PatternCommandsTest, CopyRefusesWhatTheRunRefusesOrNoPatternSays) {
  combo("cmbG(0)")->setEditText("x");
  press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
  combo("cmbG(0)")->setEditText("5");
  combo("cmbG(1)")->setEditText("3");
  press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, CounterTextMessage({'G', "x"}));
  EXPECT_EQ(messages.shown[1].text, CounterNotInPatternMessage('G', Counter{true, 5, 3, FillStyle::Plain}));
  EXPECT_EQ(clipboard.held, "untouched");
}

// Each pattern from the state the previous one left; the dialog opens with a pattern on the
// clipboard, empty with an address there.
TEST_F(PatternCommandsTest, TemplateFromPatternRunsThePatternsAddressesWithoutRunning) {
  const std::pair<QString, const char*> cases[] = {
      {"http://example.com/a/vol[01-03]/page[01-12].jpg", "cmbJ(1)"},
      {"http://h/x[1-2]y[#1]z[001-003]", "cmbL(1)"},
      {"https://h/s/[8-11]/[#1].png", "cmbG(1)"},
      {"http://h/{\\\\}[0-2]", "cmbG(1)"},
      {"http://h/file.txt", "cmdR"},
  };
  clipboard.held = "http://a.com/05.jpg";
  QString previous;
  for (const auto& [pattern, focus] : cases) {
    SCOPED_TRACE(pattern.toStdString());
    typed = {pattern};
    const QStringList histories = items(combo("cmbB")) + items(combo("cmbK")) + items(combo("cmbN"));
    const qsizetype rowsBefore = rows().size();
    press(Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(prefills.takeLast(), previous);
    EXPECT_EQ(rows().size(), rowsBefore);
    EXPECT_EQ(items(combo("cmbB")) + items(combo("cmbK")) + items(combo("cmbN")), histories);
    EXPECT_TRUE(control(focus)->isAncestorOf(QApplication::focusWidget()) || control(focus)->hasFocus());
    EXPECT_EQ(run(), expand(pattern));
    clipboard.held = previous = pattern;
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PatternCommandsTest, RefusedPatternIsSaidAndComesBackToBeMended) {
  const QString stepped = "http://a.com/[1-9:2].jpg";
  typed = {stepped};
  const QStringList before = rows() << combo("cmbG(0)")->currentText() << button("Check2")->text();
  w->startFromPattern();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            PatternRefusalMessage({PatternRefusalReason::Step, 14, "[1-9:2]", {}}, stepped.toStdString()));
  EXPECT_EQ(prefills, (QStringList{"", stepped}));
  EXPECT_EQ(rows() << combo("cmbG(0)")->currentText() << button("Check2")->text(), before);
}

// Ctrl+Shift+V applies a pattern at once and leaves a plain address to the example dialog.
TEST_F(PatternCommandsTest, PasteKeyTellsPatternsFromAddresses) {
  int examples = 0;
  askTemplate = [&](const ExampleAddress&, QWidget*) { return ++examples, std::optional<TemplateProposal>(); };
  restart();
  clipboard.held = "http://h/p[01-03].jpg\n";
  press(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(run(), expand("http://h/p[01-03].jpg"));
  clipboard.held = "http://h/p01.jpg";
  press(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(examples, 1);
  EXPECT_TRUE(prefills.empty());
}

TEST_F(PatternCommandsTest, BothMenusOfferBothCommandsWithTheirKeysShown) {
  const auto window = w->WindowMenu(), list = w->List1Menu();
  for (const QMenu* menu : {window.get(), list.get()}) {
    QStringList names;
    for (const QAction* a : menu->actions()) names << a->objectName();
    EXPECT_EQ(names.mid(names.indexOf("actExampleAddress"), 3),
              (QStringList{"actExampleAddress", "actTemplateFromPattern", "actCopyPattern"}));
  }
  for (const auto& [name, key] :
       {std::pair{"actCopyPattern", "Ctrl+Shift+P"}, {"actTemplateFromPattern", "Ctrl+Alt+V"}}) {
    EXPECT_EQ(w->findChild<QAction*>(name)->shortcut(), QKeySequence(key));
    EXPECT_TRUE(w->findChild<QAction*>(name)->isShortcutVisibleInContextMenu());
  }
}

}  // namespace
}  // namespace serialix::testing

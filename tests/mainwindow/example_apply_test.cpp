// Starting from an example address in the window: the command, its refusals and the window state
// it leaves. Controls are found by objectName, as a user finds them by their place.
#include <QAction>
#include <QFile>
#include <QListView>
#include <cstring>
#include <random>

#include "main_window_fixture.h"
#include "mainwindow/example_address_dialog.h"
#include "mainwindow/window_messages.h"

namespace serialix::testing {
namespace {

class ExampleApplyTest : public MainWindowTest {
 protected:
  void SetUp() override {
    askTemplate = [this](const ExampleAddress& example, QWidget* parent) { return answer(example, parent); };
    MainWindowTest::SetUp();
  }

  // The real dialog, answered without a person: Cancel, OK as it opens, or OK with these runs checked.
  std::optional<TemplateProposal> answer(const ExampleAddress& example, QWidget* parent) {
    ++asked;
    if (cancel) return std::nullopt;
    ExampleAddressDialog dialog(example, parent);
    if (runsToCheck) {
      QAbstractItemModel* runs = dialog.findChild<QListView*>("digitRuns")->model();
      const auto check = [runs](std::size_t i, Qt::CheckState state) {
        runs->setData(runs->index(int(i), 0), state, Qt::CheckStateRole);
      };
      for (std::size_t i = 0; i < example.runs.size(); ++i) check(i, Qt::Unchecked);
      for (std::size_t i : *runsToCheck) check(i, Qt::Checked);
      EXPECT_EQ(dialog.chosenRuns(), *runsToCheck);
    }
    return dialog.proposal();
  }

  bool checked(const QString& name) const { return control<QAbstractButton>(name)->isChecked(); }
  QString caption(const QString& name) const { return control<QAbstractButton>(name)->text(); }

  // Ctrl+Shift+V where the focus is, as the user presses it.
  void pressCommand() {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : w.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  }

  void paste(const QString& text) {
    clipboard.held = text;
    pressCommand();
  }

  std::uint64_t rowCount() const { return control<VirtualListBox>("List1")->count(); }

  // Presses 実行 and gives the first row it appended.
  QString runOnce() {
    const std::uint64_t before = rowCount();
    control<QPushButton>("cmdR")->click();
    EXPECT_EQ(rowCount(), before + 1) << "the example's template yields one address";
    return rowCount() > before ? control<VirtualListBox>("List1")->text(before) : QString();
  }

  // Everything a user can see or that is kept: controls, histories, the list and set.ini.
  QStringList snapshot() const {
    QStringList state;
    for (const QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
      state << QStringLiteral("%1 %2 %3 %4").arg(b->objectName(), b->text()).arg(b->isChecked()).arg(b->isEnabled());
    }
    for (const QComboBox* c : w->findChildren<QComboBox*>()) {
      state << QStringLiteral("%1 %2 %3").arg(c->objectName(), c->currentText()).arg(c->isEnabled()) << items(c);
    }
    for (const char* name : {"txtF", "txtI", "lblA"}) state << FieldText(control(name));
    state << QString::number(rowCount());
    state << QString::fromLatin1(ini().toHex());
    return state;
  }

  QByteArray ini() const {
    QFile file(dir.filePath("set.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("no set.ini");
  }

  int asked = 0;
  bool cancel = false;
  std::optional<std::vector<std::size_t>> runsToCheck;  // nothing: the dialog's own choice
};

struct Example {
  const char* address;
  std::optional<std::vector<std::size_t>> runs;
  const char* switchesOn;     // of CheckC .. CheckN
  const char* textLink;       // caption of Check1
  const char* counterLink;    // caption of Check2
  std::array<int, 3> styles;  // option index of G, J, L; -1 where the counter is off
  const char* focus;          // the last counter's to combo; 実行 without counters
  const char* firstRow;
};

// One window taken from each example to the next, so every switch, link and style also changes
// from a state another example left.
TEST_F(ExampleApplyTest, FirstRowIsThePastedAddressAndTheWindowIsOneAUserCouldSet) {
  using Runs = std::vector<std::size_t>;
  const Example examples[] = {
      {"http://www.example.com/gallery/pic05.jpg",
       std::nullopt,
       "CFGMN",
       "=",
       "=",
       {1, -1, -1},
       "cmbG(1)",
       "http://www.example.com/gallery/pic05.jpg"},
      {"https://example.net/a/1/b2.html",
       Runs{0, 1},
       "CGHIJMN",
       "≠",
       "≠",
       {0, 0, -1},
       "cmbJ(1)",
       "https://example.net/a/1/b2.html"},
      {"HTTP://a.com:8080/img/2024/05/photo_0007.JPG?size=12#top",
       Runs{0, 1, 2},
       "CGHJKLMN",
       "=",
       "≠",
       {0, 1, 2},
       "cmbL(1)",
       "http://a.com:8080/img/2024/05/photo_0007.JPG?size=12#top"},
      {"  http://a.com/  ", Runs{}, "C", "=", "≠", {-1, -1, -1}, "cmdR", "http://a.com/"},
      {"http://例え.jp/画像/第3話.html",
       std::nullopt,
       "CFGIMN",
       "≠",
       "=",
       {0, -1, -1},
       "cmbG(1)",
       "http://例え.jp/画像/第3話.html"},
      {"http://a.com/p1/p2/x", Runs{1}, "CFGHI", "≠", "=", {0, -1, -1}, "cmbG(1)", "http://a.com/p1/p2/x"},
      {"http://a.com/v/12345678901/p009.png",
       std::nullopt,
       "CFGMN",
       "=",
       "=",
       {2, -1, -1},
       "cmbG(1)",
       "http://a.com/v/12345678901/p009.png"},
      {"https://cdn9.example.org/s/07_08.gif",
       Runs{0, 1},
       "CGIJMN",
       "≠",
       "≠",
       {1, 1, -1},
       "cmbJ(1)",
       "https://cdn9.example.org/s/07_08.gif"},
  };
  const char* const switchNames = "CDEFGHIJKLMN";
  const QString opt[] = {"opt1(%1)", "opt2(%1)", "opt3(%1)"};
  for (const Example& e : examples) {
    SCOPED_TRACE(e.address);
    runsToCheck = e.runs;
    const QStringList histories = {items(control<QComboBox>("cmbB")).join('\n'),
                                   items(control<QComboBox>("cmbK")).join('\n'),
                                   items(control<QComboBox>("cmbN")).join('\n')};
    const std::uint64_t rowsBefore = rowCount();
    const QByteArray iniBefore = ini();
    const int askedBefore = asked;
    paste(QString::fromUtf8(e.address));
    ASSERT_EQ(asked, askedBefore + 1);

    for (const char* s = switchNames; *s; ++s) {
      EXPECT_EQ(checked(QStringLiteral("Check") + QChar(*s)), std::strchr(e.switchesOn, *s) != nullptr) << *s;
    }
    EXPECT_EQ(caption("Check1"), QString::fromUtf8(e.textLink));
    EXPECT_EQ(caption("Check2"), QString::fromUtf8(e.counterLink));
    for (int c = 0; c < 3; ++c) {
      if (e.styles[c] < 0) continue;
      EXPECT_TRUE(checked(opt[c].arg(e.styles[c]))) << opt[c].arg(e.styles[c]).toStdString();
    }
    QWidget* focus = control(e.focus);
    EXPECT_TRUE(focus->hasFocus() || focus->isAncestorOf(QApplication::focusWidget())) << e.focus;
    if (auto* to = qobject_cast<QComboBox*>(focus)) {
      EXPECT_FALSE(to->currentText().isEmpty());
      EXPECT_EQ(to->lineEdit()->selectedText(), to->currentText());
    }
    EXPECT_EQ(histories,
              (QStringList{items(control<QComboBox>("cmbB")).join('\n'), items(control<QComboBox>("cmbK")).join('\n'),
                           items(control<QComboBox>("cmbN")).join('\n')}));
    EXPECT_EQ(rowCount(), rowsBefore) << "nothing is run";
    EXPECT_EQ(ini(), iniBefore);
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(runOnce(), QString::fromUtf8(e.firstRow));
  }
}

TEST_F(ExampleApplyTest, TheIssuesFirstExampleSetsTheSegmentsByName) {
  paste("http://www.example.com/gallery/pic05.jpg");
  EXPECT_EQ(control<QComboBox>("cmbB")->currentText(), "www.example.com/gallery");
  EXPECT_EQ(control<QLineEdit>("txtF")->text(), "pic");
  EXPECT_EQ(control<QComboBox>("cmbG(0)")->currentText(), "05");
  EXPECT_EQ(control<QComboBox>("cmbG(1)")->currentText(), "05");
  EXPECT_EQ(control<QComboBox>("cmbN")->currentText(), "jpg");
  EXPECT_FALSE(control<QComboBox>("cmbJ(0)")->isEnabled()) << "J follows G again";
  EXPECT_FALSE(checked("CheckJ"));
}

// Any address, any choice of runs, from whatever state the previous one left: the first row of
// the next run is the address.
TEST_F(ExampleApplyTest, PropertyFirstRowIsTheAddressForRandomAddressesAndChoices) {
  std::mt19937 random(20261207);
  const auto pick = [&](std::initializer_list<const char*> from) {
    std::uniform_int_distribution<std::size_t> d(0, from.size() - 1);
    return QString::fromUtf8(from.begin()[d(random)]);
  };
  const auto digits = [&] {
    std::uniform_int_distribution<int> length(1, 11), digit(0, 9), zeros(0, 3);
    QString run(zeros(random) == 0 ? std::uniform_int_distribution<int>(1, 4)(random) : 0, u'0');
    for (int n = length(random); n > 0; --n) run += QChar(char16_t(u'0' + digit(random)));
    return run;
  };
  for (int round = 0; round < 150; ++round) {
    QString rest = pick({"a.com", "www.example.com", "h2.example.net:8080", "例え.jp", "u@x.org"});
    for (int parts = std::uniform_int_distribution<int>(0, 6)(random); parts > 0; --parts) {
      rest += pick({"/", "/", "pic", "_", "-", ".", "画像", "img", "/v"});
      if (random() % 2) rest += digits();
    }
    rest += pick({"", "", ".jpg", ".HTML", "/", "?p=", "#05", ".tar.gz"});
    if (random() % 3 == 0) rest += digits();
    const QString scheme = pick({"http://", "https://", "HTTPS://", "Http://"});
    const QString address = scheme + rest;
    SCOPED_TRACE(address.toStdString());

    const auto read = ReadExampleAddress(address.toStdString());
    const auto* example = std::get_if<ExampleAddress>(&read);
    ASSERT_NE(example, nullptr);
    std::vector<std::size_t> checkable;
    for (std::size_t i = 0; i < example->runs.size(); ++i) {
      if (example->runs[i].checkable) checkable.push_back(i);
    }
    std::shuffle(checkable.begin(), checkable.end(), random);
    checkable.resize(std::min<std::size_t>(checkable.size(), random() % 4));
    std::sort(checkable.begin(), checkable.end());
    runsToCheck = checkable;

    paste(address);
    ASSERT_EQ(runOnce(), scheme.toLower() + rest);
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ExampleApplyTest, RefusesTextThatIsNotOneAddressAndChangesNothing) {
  const std::pair<const char*, ExampleAddressError> refused[] = {
      {"", ExampleAddressError::Empty},
      {" \t ", ExampleAddressError::Empty},
      {"http://a.com/1.jpg\nhttp://a.com/2.jpg", ExampleAddressError::SeveralLines},
      {"ftp://a.com/1.jpg", ExampleAddressError::NotHttp},
      {"www.example.com/pic05.jpg", ExampleAddressError::NotHttp},
      {"http:///pic05.jpg", ExampleAddressError::NoHost},
      {"http://a.com/my pic05.jpg", ExampleAddressError::Blank},
      {"http://a.com/c\u202Egpj.exe05", ExampleAddressError::Blank},
  };
  control<QComboBox>("cmbG(0)")->setFocus();
  const QStringList before = snapshot();
  for (const auto& [text, error] : refused) {
    SCOPED_TRACE(text);
    messages.shown.clear();
    paste(QString::fromUtf8(text));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Serialix");
    EXPECT_EQ(messages.shown[0].text, ExampleAddressErrorMessage(error));
    EXPECT_EQ(asked, 0) << "no dialog";
    EXPECT_EQ(snapshot(), before);
  }
}

// Bytes that are not UTF-8 are refused, not read with U+FFFD in their place.
TEST_F(ExampleApplyTest, RefusesClipboardBytesThatAreNotUtf8) {
  clipboard.heldBytes = "http://a.com/\x8E\xCA\x90^05.jpg";  // code page 932, not UTF-8
  w->findChild<QAction*>("actExampleAddress")->trigger();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, ExampleAddressErrorMessage(ExampleAddressError::NotUtf8));
  EXPECT_EQ(asked, 0);
}

TEST_F(ExampleApplyTest, CancelChangesNothing) {
  cancel = true;
  control<QLineEdit>("txtF")->setFocus();
  const QStringList before = snapshot();
  paste("https://example.net/a/1/b2.html");
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(control<QLineEdit>("txtF")->hasFocus());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ExampleApplyTest, CommandWorksFromEveryKindOfControl) {
  cancel = true;
  clipboard.held = "http://a.com/1.jpg";
  const auto* action = w->findChild<QAction*>("actExampleAddress");
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action, w->exampleAddressAction());
  EXPECT_EQ(action->text(), "例のアドレスから作成…");
  EXPECT_EQ(action->shortcut(), QKeySequence("Ctrl+Shift+V"));
  const char* const controls[] = {"cmbG(0)", "cmbL(1)", "cmbB", "cmbK", "txtF", "txtI", "List1", "cmdR", "CheckG"};
  for (const char* name : controls) {
    SCOPED_TRACE(name);
    const int before = asked;
    const QStringList state = snapshot();
    control(name)->setFocus();
    pressCommand();
    EXPECT_EQ(asked, before + 1);
    EXPECT_EQ(snapshot(), state) << "the key types nothing";
  }
  // The public command does the same, for menus.
  w->startFromExampleAddress();
  EXPECT_EQ(asked, int(std::size(controls)) + 1);
}

}  // namespace
}  // namespace serialix::testing

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <map>
#include <string>

#include "main_window_fixture.h"

namespace serialix::testing {
namespace {

// A window with fake services, the browser seam included; controls are found by objectName.
class ListMenuTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    list = control<VirtualListBox>("List1");
  }

  // "http://HOST/1" and "http://HOST/2": only the first separator and counter G switched on.
  void makeList(const QString& host) {
    control<QComboBox>("cmbB")->setEditText(host);
    for (const char* name :
         {"CheckD", "CheckE", "CheckF", "CheckH", "CheckI", "CheckJ", "CheckK", "CheckL", "CheckM", "CheckN"}) {
      control<QCheckBox>(name)->setChecked(false);
    }
    control<QCheckBox>("CheckC")->setChecked(true);
    control<QCheckBox>("CheckG")->setChecked(true);
    control<QComboBox>("cmbG(0)")->setEditText("1");
    control<QComboBox>("cmbG(1)")->setEditText("2");
    control<QPushButton>("cmdR")->click();
    ASSERT_EQ(list->count(), 2u);
  }

  // Triggers the item of a freshly built menu, as a click on it would.
  void trigger(const char* item) {
    const auto menu = w->List1Menu();
    QAction* action = menu->findChild<QAction*>(item);
    ASSERT_NE(action, nullptr) << item;
    ASSERT_TRUE(action->isEnabled()) << item;
    action->trigger();
  }

  std::map<std::string, bool> enabledItems() {
    std::map<std::string, bool> enabled;
    const auto menu = w->List1Menu();
    for (const char* item : {"copyAddress", "openAddress", "copyAllUtf8", "exportUtf8"}) {
      const QAction* action = menu->findChild<QAction*>(item);
      if (action) enabled[item] = action->isEnabled();
    }
    // The window's own example-address command, shared rather than owned by the menu.
    for (const QAction* action : menu->actions()) {
      if (action->objectName() == "actExampleAddress") enabled["actExampleAddress"] = action->isEnabled();
    }
    return enabled;
  }

  static QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

  QString pathIn(const char* name) const { return dir.filePath(name); }

  VirtualListBox* list = nullptr;
};

const char* const kHosts[] = {"pics", "例え.テスト", "bücher.example"};

// Every item's bytes, and those of the specified clipboard command beside them, for ASCII and
// non-ASCII hosts.
TEST_F(ListMenuTest, ItemsGiveTheirBytesForEveryHost) {
  for (const char* host : kHosts) {
    SCOPED_TRACE(host);
    control<QPushButton>("cmdClear")->click();
    makeList(QString::fromUtf8(host));
    const std::string first = std::string("http://") + host + "/1";
    const std::string second = std::string("http://") + host + "/2";

    list->setCurrentRow(1);
    trigger("copyAddress");
    EXPECT_EQ(clipboard.text().toStdString(), second);  // no line end

    trigger("copyAllUtf8");
    EXPECT_EQ(clipboard.text().toStdString(), first + "\n" + second + "\n");

    control<QPushButton>("cmdCrip")->click();  // unchanged: CR LF
    EXPECT_EQ(clipboard.text().toStdString(), first + "\r\n" + second + "\r\n");

    const QString path = pathIn(host) + ".txt";
    saveDialog.nextAnswers.push_back(path);
    list->setCurrentRow(0);
    trigger("exportUtf8");
    const QByteArray bytes = fileBytes(path);
    EXPECT_EQ(bytes.toStdString(), first + "\n" + second + "\n");  // UTF-8, LF only
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(list->currentRow(), std::optional<std::uint64_t>(1));  // the last entry, as after 書き出し
    ASSERT_FALSE(saveDialog.requests.empty());
    EXPECT_EQ(saveDialog.requests.back().defaultSuffix, "txt");
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ListMenuTest, Cp932ExportStillWritesItsBytes) {
  makeList(QString::fromUtf8("例え.テスト"));
  const QString path = pathIn("list.txt");
  saveDialog.nextAnswers.push_back(path);
  control<QPushButton>("cmdOut")->click();
  // 例 97E1, え 82A6, テ 8365, ス 8358, ト 8367; CR LF.
  EXPECT_EQ(fileBytes(path), QByteArray("http://\x97\xE1\x82\xA6.\x83\x65\x83\x58\x83\x67/1\r\n"
                                        "http://\x97\xE1\x82\xA6.\x83\x65\x83\x58\x83\x67/2\r\n"));
}

TEST_F(ListMenuTest, Cp932ExportRefusesWhatTheCodePageCannotHold) {
  const QString path = pathIn("earlier.txt");
  {
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier\r\n");
  }
  makeList(QString::fromUtf8("bücher.example"));
  saveDialog.nextAnswers.push_back(path);
  control<QPushButton>("cmdOut")->click();

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "Serialix");
  EXPECT_TRUE(messages.shown[0].text.contains(QString::fromUtf8("ü")));
  EXPECT_TRUE(messages.shown[0].text.contains(QString::fromUtf8("UTF-8 で書き出し")));
  EXPECT_TRUE(saveDialog.requests.empty());  // refused before any dialog
  EXPECT_EQ(fileBytes(path), QByteArray("earlier\r\n"));

  // The UTF-8 item writes the same list.
  trigger("exportUtf8");
  EXPECT_EQ(fileBytes(path).toStdString(), "http://bücher.example/1\nhttp://bücher.example/2\n");
}

TEST_F(ListMenuTest, ItemsNeedARowOrAList) {
  using Enabled = std::map<std::string, bool>;
  EXPECT_EQ(enabledItems(), (Enabled{{"copyAddress", false},
                                     {"openAddress", false},
                                     {"copyAllUtf8", false},
                                     {"exportUtf8", false},
                                     {"actExampleAddress", true}}));
  makeList("pics");
  EXPECT_EQ(enabledItems(), (Enabled{{"copyAddress", false},
                                     {"openAddress", false},
                                     {"copyAllUtf8", true},
                                     {"exportUtf8", true},
                                     {"actExampleAddress", true}}));
  list->setCurrentRow(0);
  EXPECT_EQ(enabledItems(), (Enabled{{"copyAddress", true},
                                     {"openAddress", true},
                                     {"copyAllUtf8", true},
                                     {"exportUtf8", true},
                                     {"actExampleAddress", true}}));
  control<QPushButton>("cmdClear")->click();
  EXPECT_EQ(enabledItems(), (Enabled{{"copyAddress", false},
                                     {"openAddress", false},
                                     {"copyAllUtf8", false},
                                     {"exportUtf8", false},
                                     {"actExampleAddress", true}}));
}

TEST_F(ListMenuTest, ShiftF10OpensTheMenuForTheSelectedRow) {
  makeList("pics");
  list->setFocus();
  list->setCurrentRow(1);
  QString shown;
  bool copyEnabled = false;
  QTimer::singleShot(0, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      shown = menu->objectName();
      if (const QAction* copy = menu->findChild<QAction*>("copyAddress")) copyEnabled = copy->isEnabled();
      menu->close();
    }
  });
  QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(shown, "List1Menu");
  EXPECT_TRUE(copyEnabled);
}

TEST_F(ListMenuTest, CtrlCCopiesTheSelectedAddressOnly) {
  makeList("pics");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard.text(), "untouched");  // nothing selected yet
  list->setCurrentRow(1);
  QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(clipboard.cleared);
  EXPECT_EQ(clipboard.text(), "http://pics/2");
}

TEST_F(ListMenuTest, EnterDoubleClickAndTheItemOpenThroughTheBrowserSeam) {
  makeList(QString::fromUtf8("例え.テスト"));
  list->setFocus();
  list->setCurrentRow(1);
  QTest::keyClick(list, Qt::Key_Return);
  const QPoint firstRow(10, list->rowHeight() / 2);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, firstRow);
  list->setCurrentRow(1);
  trigger("openAddress");

  ASSERT_EQ(browser.opened.size(), 3u);
  EXPECT_EQ(browser.opened[0], QUrl(QString::fromUtf8("http://例え.テスト/2")));
  EXPECT_EQ(browser.opened[1], QUrl(QString::fromUtf8("http://例え.テスト/1")));
  EXPECT_EQ(browser.opened[2], browser.opened[0]);
  EXPECT_EQ(browser.opened[0].host(QUrl::EncodeUnicode), "xn--r8jz45g.xn--zckzah");
  EXPECT_TRUE(messages.shown.empty());
}

// The row goes to the browser as shown: escapes kept, a stray "%" and blanks escaped alone.
TEST_F(ListMenuTest, TheBrowserGetsTheRowAsShown) {
  makeList(QString::fromUtf8("pics/%E5%86%99/50%off 写"));
  list->setFocus();
  list->setCurrentRow(0);
  QTest::keyClick(list, Qt::Key_Return);
  ASSERT_EQ(browser.opened.size(), 1u);
  EXPECT_EQ(browser.opened[0].toEncoded(), "http://pics/%E5%86%99/50%25off%20%E5%86%99/1");
}

// Each way a launch fails has its own words; only a missing handler reads as "no browser".
// A press on a row and a move past the drag distance offer that row; with Ctrl, or with
// "ドラッグで全行を渡す" on, every row, unless the list is over the copy limit. A shorter move offers nothing.
TEST_F(ListMenuTest, ADragOffersTheRowOrEveryRow) {
  makeList("pics/写");
  auto* allRows = w->findChild<QAction*>("dragAllRows");
  ASSERT_TRUE(allRows && w->List1Menu()->actions().contains(allRows) && allRows->isCheckable());
  auto dragRow = [&](std::uint64_t row, Qt::KeyboardModifiers modifiers, int by = QApplication::startDragDistance()) {
    const QPoint at(20, static_cast<int>(row) * list->rowHeight() + list->rowHeight() / 2);
    const QPoint to = at + QPoint(by, 0);
    QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QMouseEvent move(QEvent::MouseMove, to, list->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, modifiers);
    QApplication::sendEvent(list->viewport(), &move);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, to);
  };
  const QByteArray second = "http://pics/%E5%86%99/2\r\n", both = "http://pics/%E5%86%99/1\r\n" + second;
  const std::tuple<Qt::KeyboardModifiers, bool, QByteArray, QString> cases[] = {
      {Qt::NoModifier, false, second, "http://pics/写/2"},
      {Qt::ControlModifier, false, both, "http://pics/写/1\nhttp://pics/写/2\n"},
      {Qt::NoModifier, true, both, "http://pics/写/1\nhttp://pics/写/2\n"},
  };
  for (const auto& [modifiers, allChosen, uriList, text] : cases) {
    allRows->setChecked(allChosen);
    dragRow(1, modifiers);
    ASSERT_EQ(drags.offered.size(), 1u);
    EXPECT_EQ(drags.offered[0]->data("text/uri-list"), uriList);
    EXPECT_EQ(drags.offered[0]->text(), text);
    drags.offered.clear();
  }
  dragRow(0, Qt::NoModifier, QApplication::startDragDistance() - 1);
  EXPECT_TRUE(drags.offered.empty());

  control<QComboBox>("cmbG(1)")->setEditText("1000000000");
  control<QPushButton>("cmdR")->click();
  dragRow(0, Qt::ControlModifier);
  EXPECT_TRUE(drags.offered.empty());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.startsWith("一覧が大きすぎてクリップボードにコピーできません"));
}

TEST_F(ListMenuTest, AFailedLaunchSaysWhy) {
  makeList("pics");
  const std::pair<std::errc, const char*> cases[] = {
      {std::errc::no_such_file_or_directory, "ブラウザーが見つかりません"},
      {std::errc::argument_list_too_long, "アドレスが長すぎて"},
      {std::errc::permission_denied, "ブラウザーを起動できません"},
  };
  list->setFocus();
  list->setCurrentRow(0);
  for (const auto& [error, words] : cases) {
    messages.shown.clear();
    browser.answer = std::make_error_code(error);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Serialix");
    EXPECT_TRUE(messages.shown[0].text.contains("http://pics/1")) << messages.shown[0].text.toStdString();
    EXPECT_TRUE(messages.shown[0].text.contains(QString::fromUtf8(words))) << messages.shown[0].text.toStdString();
  }
}

TEST_F(ListMenuTest, AnAddressThatIsNoWebAddressIsNotHandedOn) {
  makeList("bad host");  // a space cannot be in a host
  list->setFocus();
  list->setCurrentRow(0);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_TRUE(browser.opened.empty());
  ASSERT_EQ(messages.shown.size(), 1u);
}

}  // namespace
}  // namespace serialix::testing

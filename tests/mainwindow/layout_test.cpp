#include <QGroupBox>
#include <QLabel>

#include "main_window_fixture.h"

namespace serialix::testing {
namespace {

using LayoutTest = MainWindowTest;

struct Placement {
  const char* name;
  int left, top, width, height;  // twips
};

TEST_F(LayoutTest, ControlsSitWhereTheTwipsTablePutsThem) {
  // 15 twips make one logical pixel; positions are rounded to whole pixels.
  const Placement table[] = {
      {"lblA", 120, 1250, 735, 255},      {"txtF", 5280, 1200, 735, 405},     {"cmbB", 840, 1200, 3375, 360},
      {"lblC", 4200, 1250, 255, 255},     {"cmbD", 4440, 1200, 615, 360},     {"cmbG(0)", 6120, 840, 735, 360},
      {"cmbG(1)", 6120, 1440, 735, 360},  {"Label1(3)", 6240, 1200, 255, 255}, {"txtI", 7080, 1200, 735, 405},
      {"cmbL(1)", 9480, 1440, 735, 360},  {"cmbN", 10440, 1200, 1095, 360},  {"Frame1", 6120, -50, 735, 890},
      {"Frame2", 7920, -50, 735, 890},    {"cmbK", 8760, 1200, 615, 360},     {"Check1", 5490, 1680, 375, 255},
      {"Check2", 7080, 360, 615, 255},    {"List1", 120, 3120, 11415, 4380},  {"cmdR", 720, 2530, 975, 375},
      {"cmdEnd", 9120, 2520, 1215, 375},  {"Frame4", 120, 1920, 11415, 495},  {"cmdListC1", 3480, 840, 615, 255},
      {"cmdHelp", 10560, 2520, 975, 375}, {"cmdCrip", 4560, 2530, 1095, 375}, {"Image1", 10560, 0, 1155, 615},
      {"opt2(2)", 120, 600, 570, 255},    {"CheckN", 10680, 210, 255, 180},
  };
  for (const auto& p : table) {
    auto* widget = w->findChild<QWidget*>(p.name);
    ASSERT_NE(widget, nullptr) << p.name;
    EXPECT_EQ(widget->geometry(), QRect(qRound(p.left / 15.0), qRound(p.top / 15.0), qRound(p.width / 15.0),
                                        qRound(p.height / 15.0)))
        << p.name;
  }
  EXPECT_EQ(w->size(), QSize(777, 511));
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(w->windowTitle(), "Serialix 0.04");
}

TEST_F(LayoutTest, CaptionsAndItemsAreTheDesignedOnes) {
  const std::pair<const char*, const char*> captions[] = {
      {"cmdR", "実行"},         {"cmdClear", "ﾘｽﾄｸﾘｱ"}, {"cmdOut", "書き出し"}, {"cmdCrip", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ"},
      {"cmdEnd", "終了"},       {"cmdHelp", "ﾍﾙﾌﾟ"},     {"cmdListC1", "削除"},   {"Check1", "="},
      {"Check2", "="},          {"opt1(0)", "  1"},     {"opt3(1)", " 01"},     {"opt2(2)", "001"},
  };
  for (const auto& [name, caption] : captions) {
    auto* b = w->findChild<QAbstractButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    EXPECT_EQ(b->text(), QString::fromUtf8(caption)) << name;
  }
  EXPECT_EQ(w->findChild<QGroupBox*>("Frame4")->title(), "適用／非適用");
  EXPECT_EQ(w->Label1[0]->text(), "～");
  EXPECT_EQ(w->lblA->text(), "http://");
  ASSERT_EQ(w->cmbD->count(), 26);
  EXPECT_EQ(w->cmbD->itemText(0), "a");
  EXPECT_EQ(w->cmbD->itemText(25), "z");
  EXPECT_EQ(w->cmbD->currentText(), "");
  EXPECT_FALSE(w->cmbD->isEditable());
}

TEST_F(LayoutTest, StartStateFollowsTheLoadHandler) {
  for (auto* check : {w->CheckC, w->CheckD, w->CheckE, w->CheckF, w->CheckG, w->CheckH, w->CheckI, w->CheckJ,
                      w->CheckK, w->CheckL, w->CheckM, w->CheckN}) {
    EXPECT_TRUE(check->isChecked()) << check->objectName().toStdString();
  }
  EXPECT_FALSE(w->cmdListC1->isEnabled());
  EXPECT_TRUE(w->cmdListC2->isEnabled());
  EXPECT_TRUE(w->cmdListC3->isEnabled());
  EXPECT_FALSE(w->cmdOut->isEnabled());
  for (auto* c : {w->cmbG[0], w->cmbG[1], w->cmbJ[0], w->cmbJ[1], w->cmbL[0], w->cmbL[1]}) {
    EXPECT_EQ(c->currentText(), "0") << c->objectName().toStdString();
    EXPECT_EQ(c->count(), 1000);
  }
  for (const auto* group : {&w->opt1, &w->opt2, &w->opt3}) EXPECT_TRUE((*group)[0]->isChecked());
  EXPECT_FALSE(w->cmbJ[0]->isEnabled());
  EXPECT_FALSE(w->cmbJ[1]->isEnabled());
  for (auto* o : w->opt2) EXPECT_FALSE(o->isEnabled());
  EXPECT_TRUE(w->cmbG[0]->isEnabled());
  EXPECT_EQ(w->cmbK->currentText(), "~");
  EXPECT_EQ(w->cmbN->currentText(), "mpg");
  EXPECT_EQ(items(w->cmbK), QStringList({"-", "~", "_", "."}));
  EXPECT_EQ(items(w->cmbN), QStringList({"mpg", "mpeg", "mov", "rm", "ram"}));
  EXPECT_EQ(w->cmbB->count(), 0);
}

TEST_F(LayoutTest, TabOrderSkipsLabelsAndPutsTheToComboOfLFirst) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  EXPECT_EQ(QApplication::focusWidget(), w->txtF);  // the first control in the tab order
  auto tabFrom = [](QWidget* from) {
    from->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    // An editable combo's focus lands on its line edit.
    return focus && qobject_cast<QComboBox*>(focus->parentWidget()) ? focus->parentWidget() : focus;
  };
  EXPECT_EQ(tabFrom(w->cmbG[1]), w->txtI);
  EXPECT_EQ(tabFrom(w->cmbJ[1]), w->cmbL[1]);
  EXPECT_EQ(tabFrom(w->cmbL[1]), w->cmbL[0]);
  EXPECT_EQ(tabFrom(w->txtF), w->cmbB);
}

}  // namespace
}  // namespace serialix::testing

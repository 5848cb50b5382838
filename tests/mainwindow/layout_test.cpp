#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>

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
      {"lblA", 120, 1250, 735, 255},      {"txtF", 5280, 1200, 735, 405},      {"cmbB", 840, 1200, 3375, 360},
      {"lblC", 4200, 1250, 255, 255},     {"cmbD", 4440, 1200, 615, 360},      {"cmbG(0)", 6120, 840, 735, 360},
      {"cmbG(1)", 6120, 1440, 735, 360},  {"Label1(3)", 6240, 1200, 255, 255}, {"txtI", 7080, 1200, 735, 405},
      {"cmbL(1)", 9480, 1440, 735, 360},  {"cmbN", 10440, 1200, 1095, 360},    {"Frame1", 6120, -50, 735, 890},
      {"Frame2", 7920, -50, 735, 890},    {"cmbK", 8760, 1200, 615, 360},      {"Check1", 5490, 1680, 375, 255},
      {"Check2", 7080, 360, 615, 255},    {"List1", 120, 3120, 11415, 4380},   {"cmdR", 720, 2530, 975, 375},
      {"cmdEnd", 9120, 2520, 1215, 375},  {"Frame4", 120, 1920, 11415, 495},   {"cmdListC1", 3480, 840, 615, 255},
      {"cmdHelp", 10560, 2520, 975, 375}, {"cmdCrip", 4560, 2530, 1095, 375},  {"Image1", 10560, 0, 1155, 615},
      {"opt2(2)", 120, 600, 570, 255},    {"CheckN", 10680, 210, 255, 180},
  };
  for (const auto& p : table) {
    auto* widget = w->findChild<QWidget*>(p.name);
    ASSERT_NE(widget, nullptr) << p.name;
    EXPECT_EQ(widget->geometry(),
              QRect(qRound(p.left / 15.0), qRound(p.top / 15.0), qRound(p.width / 15.0), qRound(p.height / 15.0)))
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
      {"cmdR", "実行"},   {"cmdClear", "ﾘｽﾄｸﾘｱ"}, {"cmdOut", "書き出し"}, {"cmdCrip", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ"},
      {"cmdEnd", "終了"}, {"cmdHelp", "ﾍﾙﾌﾟ"},    {"cmdListC1", "削除"},  {"Check1", "="},
      {"Check2", "="},    {"opt1(0)", "  1"},     {"opt3(1)", " 01"},     {"opt2(2)", "001"},
  };
  for (const auto& [name, caption] : captions) {
    auto* b = w->findChild<QAbstractButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    EXPECT_EQ(b->text(), QString::fromUtf8(caption)) << name;
  }
  EXPECT_EQ(w->findChild<QGroupBox*>("Frame4")->title(), "適用／非適用");
  EXPECT_EQ(label("Label1(3)")->text(), "～");
  EXPECT_EQ(label("lblA")->text(), "http://");
  ASSERT_EQ(combo("cmbD")->count(), 26);
  EXPECT_EQ(combo("cmbD")->itemText(0), "a");
  EXPECT_EQ(combo("cmbD")->itemText(25), "z");
  EXPECT_EQ(combo("cmbD")->currentText(), "");
  EXPECT_FALSE(combo("cmbD")->isEditable());
}

TEST_F(LayoutTest, StartStateFollowsTheLoadHandler) {
  for (auto* check :
       {check("CheckC"), check("CheckD"), check("CheckE"), check("CheckF"), check("CheckG"), check("CheckH"),
        check("CheckI"), check("CheckJ"), check("CheckK"), check("CheckL"), check("CheckM"), check("CheckN")}) {
    EXPECT_TRUE(check->isChecked()) << check->objectName().toStdString();
  }
  EXPECT_FALSE(button("cmdListC1")->isEnabled());
  EXPECT_TRUE(button("cmdListC2")->isEnabled());
  EXPECT_TRUE(button("cmdListC3")->isEnabled());
  EXPECT_FALSE(button("cmdOut")->isEnabled());
  for (auto* c :
       {combo("cmbG(0)"), combo("cmbG(1)"), combo("cmbJ(0)"), combo("cmbJ(1)"), combo("cmbL(0)"), combo("cmbL(1)")}) {
    EXPECT_EQ(c->currentText(), "0") << c->objectName().toStdString();
    EXPECT_EQ(c->count(), 1000);
  }
  for (const char* group : {"opt1", "opt2", "opt3"}) EXPECT_TRUE(options(group)[0]->isChecked());
  EXPECT_FALSE(combo("cmbJ(0)")->isEnabled());
  EXPECT_FALSE(combo("cmbJ(1)")->isEnabled());
  for (auto* o : options("opt2")) EXPECT_FALSE(o->isEnabled());
  EXPECT_TRUE(combo("cmbG(0)")->isEnabled());
  EXPECT_EQ(combo("cmbK")->currentText(), "~");
  EXPECT_EQ(combo("cmbN")->currentText(), "mpg");
  EXPECT_EQ(items(combo("cmbK")), QStringList({"-", "~", "_", "."}));
  EXPECT_EQ(items(combo("cmbN")), QStringList({"mpg", "mpeg", "mov", "rm", "ram"}));
  EXPECT_EQ(combo("cmbB")->count(), 0);
}

TEST_F(LayoutTest, CounterFramesShowNoTopBorderAndEverythingFollowsADarkPalette) {
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(40, 40, 40));
  dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
  dark.setColor(QPalette::Base, QColor(20, 20, 20));
  dark.setColor(QPalette::Text, QColor(220, 220, 220));
  dark.setColor(QPalette::Button, QColor(40, 40, 40));
  // As a desktop switching to a dark theme does it.
  const QPalette light = QApplication::palette();
  QApplication::setPalette(dark);
  QApplication::processEvents();
  const QImage shot = w->grab().toImage();
  QApplication::setPalette(light);
  // The frames start above the window: the columns just inside their left borders show only the
  // window's colour down to the first option.
  for (const char* name : {"Frame1", "Frame2", "Frame3"}) {
    const QWidget* frame = FindControl<QWidget>(w.get(), name);
    const QWidget* first = FindControl<QWidget>(w.get(), QStringLiteral("opt%1(0)").arg(name[5]));
    for (int y = 0; y < frame->mapTo(w.get(), first->pos()).y(); ++y) {
      EXPECT_EQ(shot.pixelColor(frame->x() + 3, y), dark.color(QPalette::Window)) << name << " row " << y;
    }
  }
  // Points of the link lines that no button covers.
  for (const char* name : {"Line2", "Line3", "Line4"}) {
    const QWidget* line = FindControl<QWidget>(w.get(), name);
    const QRect r = line->geometry();
    const QPoint point = r.width() > r.height() ? QPoint(r.right() - 3, r.top()) : r.center();
    EXPECT_EQ(shot.pixelColor(point), dark.color(QPalette::WindowText)) << name;
  }
  // The lists and fields take the dark list colour, not white, style sheets or not.
  for (const char* name : {"cmbB", "cmbD", "cmbG(0)", "txtF", "List1"}) {
    const QWidget* control = FindControl<QWidget>(w.get(), name);
    EXPECT_NE(shot.pixelColor(control->geometry().center()), QColor(Qt::white)) << name;
  }
}

// Where the ink of each option's caption ends, against the room its style leaves in the button.
void ExpectOptionCaptionsWhole(const frmMain& w) {
  for (const QRadioButton* option : w.findChildren<QRadioButton*>()) {
    QStyleOptionButton look;
    look.initFrom(option);
    look.text = option->text();
    const QRect room = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &look, option);
    const qreal inkEnd = room.left() + QFontMetricsF(option->font()).tightBoundingRect(option->text()).right();
    EXPECT_LE(inkEnd, option->width()) << option->objectName().toStdString() << " in "
                                       << option->font().toString().toStdString();
  }
}

// Every installed style, with the window's own font and with a desktop that gives option buttons
// a large font of their own, as qt6ct does with its default font.
TEST_F(LayoutTest, OptionCaptionsStayWholeUnderEveryStyleAndDesktopFont) {
  const QString styleBefore = QApplication::style()->name();
  const QFont fontBefore = QApplication::font();
  for (const QString& style : QStyleFactory::keys()) {
    for (const bool desktopFont : {false, true}) {
      SCOPED_TRACE(style.toStdString() + (desktopFont ? " with a 12-point desktop font" : ""));
      QApplication::setStyle(style);
      if (desktopFont) QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 12), "QRadioButton");
      w.reset();
      open();
      QApplication::processEvents();
      ExpectOptionCaptionsWhole(*w);
      QApplication::setFont(fontBefore);  // drops the class font as well
    }
  }
  QApplication::setStyle(styleBefore);
}

// The fill-style options wear the face of the check boxes beside them, also where the desktop
// gives option buttons a font of its own (a style sheet reaches the options, and the toolkit
// then resolves a font set on them against the desktop's font instead of their frame's).
TEST_F(LayoutTest, OptionsWearTheFaceOfTheCheckBoxesBesideThem) {
  const QFont fontBefore = QApplication::font();
  for (const bool desktopFont : {false, true}) {
    SCOPED_TRACE(desktopFont ? "with a desktop font for option buttons" : "with the desktop's own font");
    if (desktopFont) QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 12), "QRadioButton");
    w.reset();
    open();
    QApplication::processEvents();
    const QString face = QFontInfo(check("CheckG")->font()).family();
    for (const QRadioButton* option : w->findChildren<QRadioButton*>()) {
      EXPECT_EQ(QFontInfo(option->font()).family(), face) << option->objectName().toStdString();
    }
    QApplication::setFont(fontBefore);
  }
}

TEST_F(LayoutTest, TabOrderSkipsLabelsAndPutsTheToComboOfLFirst) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  EXPECT_EQ(QApplication::focusWidget(), edit("txtF"));  // the first control in the tab order
  auto tabFrom = [](QWidget* from) {
    from->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    // An editable combo's focus lands on its line edit.
    return focus && qobject_cast<QComboBox*>(focus->parentWidget()) ? focus->parentWidget() : focus;
  };
  EXPECT_EQ(tabFrom(combo("cmbG(1)")), edit("txtI"));
  EXPECT_EQ(tabFrom(combo("cmbJ(1)")), combo("cmbL(1)"));
  EXPECT_EQ(tabFrom(combo("cmbL(1)")), combo("cmbL(0)"));
  EXPECT_EQ(tabFrom(edit("txtF")), combo("cmbB"));
}

}  // namespace
}  // namespace serialix::testing

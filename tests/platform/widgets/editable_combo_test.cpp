#include "platform/widgets/editable_combo.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QStyleFactory>
#include <memory>

namespace serialix {
namespace {

// New, or with a list its own style made, under every style: editable as setEditable leaves a
// combo but for the completer, and its list shows, scrolls and draws its rows as that one's.
TEST(MakeEditableWithoutCompleter, MatchesSetEditableButForTheCompleter) {
  for (const QString& name : QStringList{QString()} + QStyleFactory::keys()) {
    SCOPED_TRACE(name.toStdString());
    const std::unique_ptr<QStyle> style(name.isEmpty() ? nullptr : QStyleFactory::create(name));
    QComboBox reference, ours;
    for (QComboBox* combo : {&reference, &ours})
      if (style) combo->setStyle(style.get());  // makes the list: a style change does
    reference.setEditable(true);
    MakeEditableWithoutCompleter(&ours);
    ASSERT_TRUE(ours.isEditable());
    EXPECT_EQ(ours.completer(), nullptr);
    EXPECT_EQ(ours.view()->verticalScrollBarPolicy(), reference.view()->verticalScrollBarPolicy());
    EXPECT_STREQ(ours.view()->itemDelegate()->metaObject()->className(),
                 reference.view()->itemDelegate()->metaObject()->className());
  }
}

// A font and a style sheet leave its list unmade and its line edit where setEditable's combo has
// it; made, the list has the font setEditable's combo gives its list.
TEST(EditableComboBox, MakesItsListWhenOpenedWithTheCombosFont) {
  QWidget window;
  window.setStyleSheet(QStringLiteral("QComboBox { padding: 0px 0px 0px 9px; }"));
  QComboBox reference(&window);
  reference.setEditable(true);
  EditableComboBox ours(&window);
  for (QComboBox* combo : {&reference, static_cast<QComboBox*>(&ours)}) {
    combo->setGeometry(0, 0, 90, 30);
    combo->setFont(QFont(QStringLiteral("Serif"), 15));
  }
  EXPECT_EQ(ours.findChild<QAbstractItemView*>(), nullptr);
  EXPECT_EQ(ours.lineEdit()->geometry(), reference.lineEdit()->geometry());
  EXPECT_EQ(ours.view()->font(), reference.view()->font());
}

// The same for a combo that is not editable: a font and a style sheet leave its list unmade, and
// the list made later has the font and colours a plain combo's list has.
TEST(LazyListComboBox, MakesItsListWhenAskedWithTheCombosFontAndColours) {
  QWidget window;
  window.setStyleSheet(QStringLiteral("QComboBox { background: palette(base); color: palette(text); }"));
  QComboBox reference(&window);
  LazyListComboBox ours(&window);
  for (QComboBox* combo : {&reference, static_cast<QComboBox*>(&ours)}) {
    combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
    combo->setFont(QFont(QStringLiteral("Serif"), 15));
  }
  EXPECT_EQ(ours.findChild<QAbstractItemView*>(), nullptr);
  EXPECT_EQ(ours.view()->font(), reference.view()->font());
  EXPECT_EQ(ours.view()->palette(), reference.view()->palette());
  EXPECT_EQ(ours.view()->model()->rowCount(), 2);
}

}  // namespace
}  // namespace serialix

#include "platform/widgets/editable_combo.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QStringListModel>
#include <QStyleFactory>
#include <memory>

namespace serialix {
namespace {

// New, or after a style of its own has made its list, under every installed style, the combo ends
// as QComboBox::setEditable(true) leaves one but for the completer; its list shows the model and
// scrolls and draws its rows as that one's does.
TEST(MakeEditableWithoutCompleter, MatchesSetEditableButForTheCompleter) {
  QStringList styles = QStyleFactory::keys();
  styles.prepend(QString());  // the application's style, no change event
  for (const QString& name : styles) {
    SCOPED_TRACE(name.isEmpty() ? "application style" : name.toStdString());
    const std::unique_ptr<QStyle> style(name.isEmpty() ? nullptr : QStyleFactory::create(name));
    QStringListModel values({"1", "2", "3"});
    QComboBox reference, ours;
    if (style)
      for (QComboBox* combo : {&reference, &ours}) combo->setStyle(style.get());
    reference.setEditable(true);
    MakeEditableWithoutCompleter(&ours);
    for (QComboBox* combo : {&reference, &ours}) {
      combo->setModel(&values);
      combo->setEditText(QStringLiteral("7"));
    }

    ASSERT_TRUE(ours.isEditable());
    EXPECT_EQ(ours.completer(), nullptr);
    EXPECT_NE(reference.completer(), nullptr);  // what the window used to drop
    EXPECT_EQ(ours.currentText(), QStringLiteral("7"));
    EXPECT_EQ(ours.lineEdit()->hasFrame(), reference.lineEdit()->hasFrame());
    EXPECT_EQ(ours.focusPolicy(), reference.focusPolicy());
    EXPECT_EQ(ours.testAttribute(Qt::WA_InputMethodEnabled), reference.testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(ours.view()->model(), &values);
    EXPECT_EQ(ours.view()->verticalScrollBarPolicy(), reference.view()->verticalScrollBarPolicy());
    EXPECT_STREQ(ours.view()->itemDelegate()->metaObject()->className(),
                 reference.view()->itemDelegate()->metaObject()->className());
  }
}

}  // namespace
}  // namespace serialix

// Prints what the program offers a user by name, for the check that the guides name nothing the
// program lacks: every caption, title and accessible name of the main window, its two context
// menus and the example-address dialog as "name<TAB>text", and every key that reaches a command
// as "key<TAB>Ctrl+Shift+V" (Qt's portable form), mnemonics included as Alt+letter.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QShortcut>
#include <QTemporaryDir>
#include <cstdio>
#include <set>
#include <variant>

#include "core/example_address.h"
#include "mainwindow/example_address_dialog.h"
#include "mainwindow/frm_main.h"

namespace {

std::set<QString> names;
std::set<QString> keys;

void AddKey(const QKeySequence& sequence) {
  if (!sequence.isEmpty()) keys.insert(sequence.toString(QKeySequence::PortableText));
}

// A caption with "&X" has the mnemonic Alt+X; the name is the caption as shown, without the "&".
void AddName(const QString& caption) {
  if (caption.isEmpty()) return;
  static const QRegularExpression mnemonic(QStringLiteral("&([^&])"));
  QString shown = caption;
  if (const auto match = mnemonic.match(caption); match.hasMatch()) {
    keys.insert(QStringLiteral("Alt+") + match.captured(1).toUpper());
    shown.remove(match.capturedStart(0), 1);
  }
  names.insert(shown.simplified());
}

void AddAction(const QAction* action) {
  if (action->isSeparator()) return;
  AddName(action->text());
  for (const QKeySequence& sequence : action->shortcuts()) AddKey(sequence);
}

void AddWidgetTree(QWidget* top) {
  AddName(top->windowTitle());
  QList<QWidget*> widgets = top->findChildren<QWidget*>();
  widgets.prepend(top);
  for (QWidget* widget : widgets) {
    AddName(widget->accessibleName());
    AddName(widget->toolTip());
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) AddName(button->text());
    if (auto* label = qobject_cast<QLabel*>(widget)) AddName(label->text());
    if (auto* group = qobject_cast<QGroupBox*>(widget)) AddName(group->title());
    for (const QAction* action : widget->actions()) AddAction(action);
  }
  for (const QShortcut* shortcut : top->findChildren<QShortcut*>()) AddKey(shortcut->key());
}

void AddMenu(const QMenu& menu) {
  AddName(menu.accessibleName());
  for (const QAction* action : menu.actions()) AddAction(action);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  serialix::frmMainServices services;
  services.settingsFile = std::filesystem::path(dir.path().toStdString()) / "set.ini";
  services.exportDir = dir.path();
  serialix::frmMain window(services);
  AddWidgetTree(&window);
  AddMenu(*window.List1Menu());
  AddMenu(*window.WindowMenu());

  const auto example = serialix::ReadExampleAddress("http://example.com/a/vol01/page07.jpg");
  serialix::ExampleAddressDialog dialog(std::get<serialix::ExampleAddress>(example));
  AddWidgetTree(&dialog);

  for (const QString& name : names) std::printf("name\t%s\n", qPrintable(name));
  for (const QString& key : keys) std::printf("key\t%s\n", qPrintable(key));
  return 0;
}

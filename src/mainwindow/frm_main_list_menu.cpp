// List1's context menu: one address to the clipboard or the browser, and the whole list as
// UTF-8 with LF for the Linux tools that read address lists.
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QUrl>

#include "export/list_text.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/window_messages.h"
#include "platform/services/clipboard.h"
#include "platform/services/message_box.h"
#include "platform/services/url_opener.h"
#include "platform/widgets/virtual_list_box.h"

namespace serialix {
namespace {

// An item with its key shown beside it. The key itself is handled by List1 (or by the open menu
// for Enter), so the item's copy of it never fires: two live copies would be ambiguous.
QAction* addItem(QMenu* menu, const QString& text, const QString& description, const QString& name,
                 const QKeySequence& key = {}) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  action->setToolTip(description);
  action->setStatusTip(description);
  if (!key.isEmpty()) {
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcutVisibleInContextMenu(true);
  }
  return action;
}

}  // namespace

std::unique_ptr<QMenu> frmMain::List1Menu() {
  auto menu = std::make_unique<QMenu>(this);
  menu->setObjectName(QStringLiteral("List1Menu"));
  menu->setAccessibleName(QStringLiteral("結果一覧のメニュー"));
  menu->setAccessibleDescription(QStringLiteral("選んだアドレスと一覧全体に使えるコマンド"));

  const bool selected = List1->currentRow().has_value();
  const bool filled = List1->count() > 0;

  QAction* copy = addItem(menu.get(), QStringLiteral("このアドレスをコピー"),
                          QStringLiteral("選んだアドレスを改行なしでクリップボードにコピーします"),
                          QStringLiteral("copyAddress"), QKeySequence::Copy);
  copy->setEnabled(selected);
  connect(copy, &QAction::triggered, this, &frmMain::copySelectedAddress);

  QAction* open = addItem(menu.get(), QStringLiteral("ブラウザーで開く"),
                          QStringLiteral("選んだアドレスをデスクトップの既定のブラウザーで開きます"),
                          QStringLiteral("openAddress"), QKeySequence(Qt::Key_Enter));
  open->setEnabled(selected);
  connect(open, &QAction::triggered, this, &frmMain::openSelectedAddress);

  menu->addSeparator();

  QAction* copyAll = addItem(menu.get(), QStringLiteral("すべてコピー (UTF-8, LF)"),
                             QStringLiteral("一覧のすべてのアドレスを、行末を LF にしてクリップボードにコピーします"),
                             QStringLiteral("copyAllUtf8"));
  copyAll->setEnabled(filled);
  connect(copyAll, &QAction::triggered, this, &frmMain::copyAllUtf8);

  QAction* save = addItem(menu.get(), QStringLiteral("UTF-8 で書き出し… (LF)"),
                          QStringLiteral("一覧を UTF-8（BOM なし）、行末 LF のテキストファイルに書き出します"),
                          QStringLiteral("exportUtf8"));
  save->setEnabled(filled);
  connect(save, &QAction::triggered, this, &frmMain::exportUtf8);

  menu->addSeparator();
  menu->addAction(dragAllRowsAction_);

  // The window's own actions: a second action on one key would make the key ambiguous.
  menu->addSeparator();
  menu->addAction(exampleAddressAction_);
  menu->addAction(templateFromPatternAction_);
  menu->addAction(copyPatternAction_);

  return menu;
}

void frmMain::connectList1Menu() {
  connect(List1, &VirtualListBox::contextMenuRequested, this,
          [this](const QPoint& globalPos) { List1Menu()->exec(globalPos); });
  connect(List1, &VirtualListBox::activated, this, &frmMain::openAddress);
  auto* copy = new QShortcut(QKeySequence::Copy, List1);
  copy->setContext(Qt::WidgetShortcut);
  connect(copy, &QShortcut::activated, this, &frmMain::copySelectedAddress);
}

void frmMain::copySelectedAddress() {
  const auto row = List1->currentRow();
  if (!row) return;
  clipboard_->clear();
  clipboard_->setText(List1->text(*row));
}

void frmMain::openAddress(std::uint64_t row) {
  const QString address = List1->text(row);
  const QUrl url = BrowserUrl(address);
  // Only web addresses go to a handler: whatever the texts, nothing else is started.
  if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
    inform(NotWebAddressMessage(address));
    return;
  }
  const std::error_code error = urlOpener_->open(url);
  if (!error) return;
  if (error == std::errc::no_such_file_or_directory) {
    inform(NoBrowserMessage(address));
  } else if (error == std::errc::argument_list_too_long) {
    inform(AddressTooLongForBrowserMessage(address));
  } else {
    inform(BrowserNotStartedMessage(address, QString::fromLocal8Bit(error.message())));
  }
}

void frmMain::openSelectedAddress() {
  if (const auto row = List1->currentRow()) openAddress(*row);
}

void frmMain::copyAllUtf8() {
  CopyResultList(this, List1->rows(), LineEnd::Lf, *clipboard_, *messages_);
}

}  // namespace serialix

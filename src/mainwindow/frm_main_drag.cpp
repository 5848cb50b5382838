// Dragging from List1 into another program: a download manager, a browser, a file manager or a
// text editor takes the addresses as text/uri-list or as text.
#include <QAction>

#include "export/list_text.h"
#include "mainwindow/frm_main.h"
#include "platform/services/drag_starter.h"
#include "platform/widgets/virtual_list_box.h"

namespace serialix {

void frmMain::connectList1Drag() {
  dragAllRowsAction_ = new QAction(QStringLiteral("ドラッグで全行を渡す"), this);
  dragAllRowsAction_->setObjectName(QStringLiteral("dragAllRows"));
  dragAllRowsAction_->setCheckable(true);
  dragAllRowsAction_->setToolTip(QStringLiteral(
      "一覧からドラッグするとき、選んだ行だけでなくすべての行を渡します（Ctrl を押しながらのドラッグと同じ）"));
  dragAllRowsAction_->setStatusTip(dragAllRowsAction_->toolTip());
  connect(List1, &VirtualListBox::dragRequested, this, &frmMain::List1_DragRequested);
}

void frmMain::List1_DragRequested(bool ctrlHeld) {
  if (ctrlHeld || dragAllRowsAction_->isChecked()) {
    // Refused before anything is made, as a copy of the same list is.
    if (!ListMimeDataFits(List1->rows(), LineEnd::Lf)) {
      inform(ClipboardTooLargeMessage());
      return;
    }
    dragStarter_->start(List1, ListMimeData(List1->rows(), LineEnd::Lf, OnDemandMimeData::Made::Kept));
  } else if (const auto row = List1->currentRow()) {
    dragStarter_->start(List1, AddressMimeData(List1->text(*row)));
  }
}

}  // namespace serialix

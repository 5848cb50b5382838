// "書き出し" and "ﾍﾙﾌﾟ": the two buttons that open a dialog.
#include <QPushButton>

#include "about/about_dialog.h"
#include "export/list_export.h"
#include "mainwindow/frm_main.h"
#include "platform/widgets/virtual_list_box.h"

namespace serialix {

void frmMain::cmdOut_Click() {
  if (!ExportResultList(this, List1->rows(), *exportState_, *saveDialog_, *messages_)) return;
  if (List1->count() > 0) List1->setCurrentRow(List1->count() - 1);
}

AboutServices frmMain::aboutServices() const {
  AboutServices about;
  about.store = configStore_;
  about.launcher = launcher_;
  about.messages = messages_;
  return about;
}

void frmMain::cmdHelp_Click() {
  about_ = ShowAboutDialog(this, aboutServices());
}

}  // namespace serialix

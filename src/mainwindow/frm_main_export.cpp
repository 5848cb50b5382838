// "書き出し" and "ﾍﾙﾌﾟ": the two buttons that open a dialog.
#include <QPushButton>

#include "about/about_dialog.h"
#include "export/list_export.h"
#include "mainwindow/frm_main.h"
#include "platform/virtual_list_box.h"

namespace serialix {

void frmMain::cmdOut_Click() {
  if (!ExportResultList(this, List1->rows(), *exportState_, *saveDialog(), *messages())) return;
  if (List1->count() > 0) List1->setCurrentRow(List1->count() - 1);
}

AboutServices frmMain::aboutServices() {
  if (!services_.configStore && !ownConfigStore_) ownConfigStore_ = std::make_unique<EmptyConfigStore>();
  if (!services_.launcher && !ownLauncher_) ownLauncher_ = std::make_unique<SystemProgramLauncher>();
  AboutServices about;
  about.store = services_.configStore ? services_.configStore : ownConfigStore_.get();
  about.launcher = services_.launcher ? services_.launcher : ownLauncher_.get();
  about.messages = messages();
  return about;
}

void frmMain::cmdHelp_Click() { ShowAboutDialog(this, aboutServices()); }

}  // namespace serialix

// The command buttons: run the generation, clear, copy to the clipboard, export, help, quit.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "about/about_dialog.h"
#include "core/address_template.h"
#include "export/list_text.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/window_messages.h"
#include "platform/services/clipboard.h"
#include "platform/services/message_box.h"
#include "platform/widgets/virtual_list_box.h"

namespace serialix {

void frmMain::ListOut() {
  rememberHistories();

  const NextRunResult result = NextRunTemplate();
  if (const auto* error = std::get_if<CounterTextError>(&result)) {
    inform(CounterTextMessage(*error));
    return;
  }
  if (const auto* error = std::get_if<SegmentTextError>(&result)) {
    inform(SegmentTextMessage(*error));
    return;
  }
  const auto& tmpl = std::get<AddressTemplate>(result);
  if (!AddressCount(tmpl) || !List1->appendRun(AddressRun(tmpl))) {
    inform(TooManyAddressesMessage());
    return;
  }
  cmdOut->setEnabled(true);
}

void frmMain::cmdR_Click() {
  ListOut();
}

void frmMain::cmdClear_Click() {
  List1->clear();
  cmdOut->setEnabled(false);
}

void frmMain::cmdCrip_Click() {
  if (!CopyResultList(List1->rows(), LineEnd::CrLf, *clipboard_)) inform(ClipboardTooLargeMessage());
}

AboutServices frmMain::aboutServices() const {
  AboutServices about;
  about.store = configStore_;
  about.launcher = launcher_;
  about.sysInfoUnavailable = [messages = messages_](QWidget* dialog) {
    messages->inform(dialog, SysInfoUnavailableMessage());
  };
  return about;
}

void frmMain::cmdHelp_Click() {
  about_ = ShowAboutDialog(this, aboutServices());
}

void frmMain::cmdEnd_Click() {
  close();
  QApplication::quit();
}

}  // namespace serialix

#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

#include "platform/services/config_store.h"
#include "platform/services/program_launcher.h"

class QLabel;
class QPushButton;

namespace serialix {

// What the About dialog needs of the system; the main window owns them and outlives the dialog.
struct AboutServices {
  ConfigStore* store = nullptr;
  ProgramLauncher* launcher = nullptr;
  // Tells the user, over the dialog, that no system-information program could be started.
  std::function<void(QWidget* dialog)> sysInfoUnavailable;
};

enum class KeyValueStatus {
  Found,     // the value was read; keyVal holds it unless its type is neither text nor number
  Missing,   // the key or the value does not exist, or the value is longer than 1024 bytes
  Unusable,  // the value is empty: an error that ends the whole lookup
};

// Reads one value of the configuration store into keyVal: text (type 1) as it is, a number
// (type 4) as "&h" and its bytes in hexadecimal, last byte first; other types leave keyVal as
// passed. The key is always closed again.
KeyValueStatus GetKeyValue(ConfigStore& store, std::uint32_t keyRoot, const QString& keyName, const QString& subKeyRef,
                           QString& keyVal);

// The version dialog. It has no parent, so it stays usable while the main window is disabled;
// every way of closing it (OK, Enter, Esc, the close box) enables the main window again and
// deletes the dialog.
class frmAbout : public QDialog {
  Q_OBJECT

 public:
  frmAbout(QWidget* mainWindow, const AboutServices& services);

  static std::int32_t TopForm(QWidget* window);
  // Starts the system-information program, or calls sysInfoUnavailable.
  void StartSysInfo();

  void done(int result) override;

 private:
  void Form_Load();
  void Form_Unload();
  void cmdOK_Click();
  void cmdSysInfo_Click();

  QPointer<QWidget> mainWindow_;
  AboutServices services_;
  QLabel* lblTitle_ = nullptr;
  QLabel* lblVersion_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdSysInfo_ = nullptr;
};

// cmdHelp_Click: shows frmAbout without making it modal, then disables the main window.
frmAbout* ShowAboutDialog(QWidget* mainWindow, const AboutServices& services);

}  // namespace serialix

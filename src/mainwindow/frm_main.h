#pragma once

#include <QWidget>
#include <array>
#include <filesystem>
#include <memory>

#include "core/fill_style.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace serialix {

class Clipboard;
class ConfigStore;
class MessageBox;
class ProgramLauncher;
class SaveDialog;
class VirtualListBox;
struct AboutServices;
struct ExportState;

// What the window needs from outside; tests put fakes here. Empty members take the real thing.
struct frmMainServices {
  Clipboard* clipboard = nullptr;
  MessageBox* messages = nullptr;
  SaveDialog* saveDialog = nullptr;
  ConfigStore* configStore = nullptr;
  ProgramLauncher* launcher = nullptr;
  std::filesystem::path settingsFile;  // empty: set.ini in the program folder (or the user's)
  QString exportDir;                   // empty: the program folder (or home when not writable)
};

// The main window. Control members carry the names the handlers use; each widget's objectName
// is the same name, with the index in parentheses for indexed controls ("cmbG(0)", "opt1(2)").
class frmMain : public QWidget {
  Q_OBJECT

 public:
  explicit frmMain(frmMainServices services = {}, QWidget* parent = nullptr);
  ~frmMain() override;

  // Controls, in the order of the layout table.
  QLabel* lblA = nullptr;
  QComboBox* cmbB = nullptr;
  QLabel* lblC = nullptr;
  QComboBox* cmbD = nullptr;
  QLabel* lblE = nullptr;
  QLineEdit* txtF = nullptr;
  std::array<QComboBox*, 2> cmbG{};
  QLabel* lblH = nullptr;
  QLineEdit* txtI = nullptr;
  std::array<QComboBox*, 2> cmbJ{};
  QComboBox* cmbK = nullptr;
  std::array<QComboBox*, 2> cmbL{};
  QLabel* lblM = nullptr;
  QComboBox* cmbN = nullptr;
  std::array<QLabel*, 3> Label1{};  // indexes 3, 5, 6 of the designer's array, in that order
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QGroupBox* Frame4 = nullptr;
  std::array<QRadioButton*, 3> opt1{};
  std::array<QRadioButton*, 3> opt2{};
  std::array<QRadioButton*, 3> opt3{};
  QPushButton* Check1 = nullptr;
  QPushButton* Check2 = nullptr;
  QCheckBox *CheckC = nullptr, *CheckD = nullptr, *CheckE = nullptr, *CheckF = nullptr, *CheckG = nullptr,
            *CheckH = nullptr, *CheckI = nullptr, *CheckJ = nullptr, *CheckK = nullptr, *CheckL = nullptr,
            *CheckM = nullptr, *CheckN = nullptr;
  QPushButton* cmdListC1 = nullptr;
  QPushButton* cmdListC2 = nullptr;
  QPushButton* cmdListC3 = nullptr;
  QPushButton* cmdR = nullptr;
  QPushButton* cmdClear = nullptr;
  QPushButton* cmdOut = nullptr;
  QPushButton* cmdCrip = nullptr;
  QPushButton* cmdEnd = nullptr;
  QPushButton* cmdHelp = nullptr;
  VirtualListBox* List1 = nullptr;
  std::array<QWidget*, 4> Line{};  // Line1..Line4
  QLabel* Image1 = nullptr;

  // Window methods.
  void ListOut();
  void OPT();
  void G1();
  void G2();
  void G3();
  void J1();
  void J2();
  void J3();
  void L1();
  void L2();
  void L3();

  // Values handed to and from OPT; the option handlers set them before the call and clear them after.
  QString optCounter;
  int optIndex = 0;
  QString optFrom, optTo;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Construction.
  void buildControls();
  void connectHandlers();
  void Form_Load();
  void Form_Unload();

  // Segment switches and links.
  void CheckPlain_Click(QCheckBox* check, QWidget* governed);
  void CheckG_Click();
  void CheckJ_Click();
  void CheckL_Click();
  void Check1_Click();
  void Check2_Click();
  void txtF_Change();

  // Counter inputs.
  void counterKeyPress(int& keyAscii);
  void counterLostFocus(const std::array<QComboBox*, 2>& combos, const std::array<QRadioButton*, 3>& options,
                        int index);
  void orderingRule(const std::array<QComboBox*, 2>& combos, int index);
  void cmbG_Change(int index);
  void cmbJ_Change(int index);
  void cmbL_Change(int index);
  void opt1_Click(int index);
  void opt2_Click(int index);
  void opt3_Click(int index);
  void optionClick(const QString& letter, const std::array<QComboBox*, 2>& combos, int index);
  void fillCounter(const std::array<QComboBox*, 2>& combos, FillStyle style);

  // History lists.
  void updateDeleteButton(QComboBox* combo, QPushButton* button);
  void deleteHistoryEntry(QComboBox* combo, QPushButton* button);

  // Result list commands.
  void cmdR_Click();
  void cmdClear_Click();
  void cmdCrip_Click();
  void cmdEnd_Click();
  void cmdOut_Click();
  void cmdHelp_Click();

  bool linkOn() const;
  Clipboard* clipboard();
  MessageBox* messages();
  SaveDialog* saveDialog();
  AboutServices aboutServices();

  frmMainServices services_;
  std::unique_ptr<Clipboard> ownClipboard_;
  std::unique_ptr<MessageBox> ownMessages_;
  std::unique_ptr<SaveDialog> ownSaveDialog_;
  std::unique_ptr<ConfigStore> ownConfigStore_;
  std::unique_ptr<ProgramLauncher> ownLauncher_;
  std::unique_ptr<ExportState> exportState_;
  std::filesystem::path settingsFile_;
  bool unloaded_ = false;
  bool settingsUnreadable_ = false;  // set.ini exists but could not be read: never write it
};

}  // namespace serialix

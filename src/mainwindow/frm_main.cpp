// The window's life: construction, wiring of handlers, load and unload.
#include "mainwindow/frm_main.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>

#include "export/list_export.h"
#include "mainwindow/history_combo.h"
#include "platform/clipboard.h"
#include "platform/combo_box_accessible.h"
#include "platform/config_store.h"
#include "platform/counter_combo_events.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"
#include "platform/program_launcher.h"
#include "platform/save_dialog.h"
#include "platform/twips.h"
#include "platform/virtual_list_box.h"
#include "platform/wheel_guard.h"
#include "settings/settings.h"

namespace serialix {
namespace {

// The injected service, or the real one made here and owned by the window.
template <typename Real, typename Service>
Service* resolve(Service* injected, std::unique_ptr<Service>& own) {
  if (injected) return injected;
  own = std::make_unique<Real>();
  return own.get();
}

std::vector<std::string> toStdStrings(const QStringList& texts) {
  std::vector<std::string> list;
  for (const auto& t : texts) list.push_back(t.toStdString());
  return list;
}

}  // namespace

frmMain::frmMain(frmMainServices services, QWidget* parent)
    : QWidget(parent),
      clipboard_(resolve<QtClipboard>(services.clipboard, ownClipboard_)),
      messages_(resolve<QtMessageBox>(services.messages, ownMessages_)),
      saveDialog_(resolve<QtSaveDialog>(services.saveDialog, ownSaveDialog_)),
      configStore_(resolve<EmptyConfigStore>(services.configStore, ownConfigStore_)),
      launcher_(resolve<SystemProgramLauncher>(services.launcher, ownLauncher_)),
      settingsFile_(std::move(services.settingsFile)),
      exportDir_(std::move(services.exportDir)),
      exportState_(std::make_unique<ExportState>()) {
  // Before any control exists: an accessible interface, once made, stays with its widget.
  NameComboBoxesByAccessibleName();
  buildControls();
  nameControls();
  IgnoreWheelOnUnfocusedCombos(this);
  connectHandlers();
  installKeyboard();
  Form_Load();
  updateCount();
}

frmMain::~frmMain() = default;

void frmMain::connectHandlers() {
  const struct {
    QCheckBox* check;
    QWidget* governed;
  } plainSwitches[] = {{CheckC, lblC}, {CheckD, cmbD}, {CheckE, lblE}, {CheckF, txtF}, {CheckH, lblH},
                       {CheckI, txtI}, {CheckK, cmbK}, {CheckM, lblM}, {CheckN, cmbN}};
  for (const auto& s : plainSwitches) {
    connect(s.check, &QCheckBox::toggled, this, [this, s] { CheckPlain_Click(s.check, s.governed); });
  }
  connect(counterG_.check, &QCheckBox::toggled, this, &frmMain::CheckG_Click);
  connect(counterJ_.check, &QCheckBox::toggled, this, &frmMain::CheckJ_Click);
  connect(counterL_.check, &QCheckBox::toggled, this, &frmMain::CheckL_Click);
  connect(Check1, &QPushButton::toggled, this, &frmMain::Check1_Click);
  connect(Check2, &QPushButton::toggled, this, &frmMain::Check2_Click);
  connect(txtF, &QLineEdit::textChanged, this, &frmMain::txtF_Change);

  using Handler = void (frmMain::*)(int);
  const struct {
    const CounterControls& counter;
    Handler change;
    Handler optionClick;
  } counters[] = {{counterG_, &frmMain::cmbG_Change, &frmMain::opt1_Click},
                  {counterJ_, &frmMain::cmbJ_Change, &frmMain::opt2_Click},
                  {counterL_, &frmMain::cmbL_Change, &frmMain::opt3_Click}};
  for (const auto& c : counters) {
    const CounterControls* counter = &c.counter;
    for (int i = 0; i < 2; ++i) {
      QComboBox* combo = counter->combos[i];
      const Handler change = c.change;
      // Change and Click run the same rules; a pick runs them twice with the same result.
      connect(combo, &QComboBox::editTextChanged, this, [this, change, i] { (this->*change)(i); });
      connect(combo, &QComboBox::activated, this, [this, change, i] { (this->*change)(i); });
      InstallKeyPressHandler(combo, [this](int& keyAscii) { counterKeyPress(keyAscii); });
      InstallLostFocusHandler(combo, [this, counter, i] { counterLostFocus(*counter, i); });
    }
    for (int i = 0; i < 3; ++i) {
      const Handler click = c.optionClick;
      connect(counter->options[i], &QRadioButton::toggled, this, [this, click, i](bool on) {
        if (on) (this->*click)(i);
      });
    }
  }

  const struct {
    QComboBox* combo;
    QPushButton* button;
  } histories[] = {{cmbB, cmdListC1}, {cmbK, cmdListC2}, {cmbN, cmdListC3}};
  for (const auto& h : histories) {
    connect(h.combo, &QComboBox::editTextChanged, this, [this, h] { updateDeleteButton(h.combo, h.button); });
    connect(h.combo, &QComboBox::activated, this, [this, h] { updateDeleteButton(h.combo, h.button); });
    connect(h.button, &QPushButton::clicked, this, [this, h] { deleteHistoryEntry(h.combo, h.button); });
  }

  connect(cmdR, &QPushButton::clicked, this, &frmMain::cmdR_Click);
  connect(cmdClear, &QPushButton::clicked, this, &frmMain::cmdClear_Click);
  connect(cmdCrip, &QPushButton::clicked, this, &frmMain::cmdCrip_Click);
  connect(cmdEnd, &QPushButton::clicked, this, &frmMain::cmdEnd_Click);
  connect(cmdOut, &QPushButton::clicked, this, &frmMain::cmdOut_Click);
  connect(cmdHelp, &QPushButton::clicked, this, &frmMain::cmdHelp_Click);
  connectCountUpdates();
}

void frmMain::Form_Load() {
  const QString programFolder = ProgramFolder();
  const bool folderWritable = FolderIsWritable(programFolder);
  if (settingsFile_.empty()) {
    const QString fallback = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    settingsFile_ = SettingsFilePath(programFolder.toStdString(), fallback.toStdString());
  }

  const StoredSettings stored = LoadSettings(settingsFile_);
  if (stored.left && stored.top) {
    move(TwipsToPixels(*stored.left), TwipsToPixels(*stored.top));
  }
  for (const auto& entry : stored.hosts) AppendHistoryEntry(cmbB, QString::fromStdString(entry));
  for (const auto& entry : stored.symbols) AppendHistoryEntry(cmbK, QString::fromStdString(entry));
  for (const auto& entry : stored.extensions) AppendHistoryEntry(cmbN, QString::fromStdString(entry));

  // An installed program's folder is not the user's: export starts at home then.
  exportState_->exportDir = !exportDir_.isEmpty() ? exportDir_
                            : folderWritable                ? programFolder
                                                            : QDir::homePath();

  G1();
  J1();
  L1();
  for (const CounterControls* counter : {&counterG_, &counterJ_, &counterL_}) {
    for (QComboBox* combo : counter->combos) combo->setEditText("0");
  }
  setCounterEnabled(counterJ_, false);  // J starts linked to G
  cmdOut->setEnabled(false);
}

void frmMain::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  // Selecting each entry shows it in the combo, as the save walks the lists.
  auto walk = [](QComboBox* combo) {
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i) {
      combo->setCurrentIndex(i);
      entries << combo->currentText();
    }
    return toStdStrings(entries);
  };
  const auto hosts = walk(cmbB);
  const auto symbols = walk(cmbK);
  const auto extensions = walk(cmbN);
  const QPoint position = pos();
  SaveSettings(settingsFile_, PixelsToTwips(position.x()), PixelsToTwips(position.y()), hosts, symbols,
               extensions);
}

void frmMain::closeEvent(QCloseEvent* event) {
  // The window manager's close box still reaches a disabled window; the About dialog comes first.
  if (about_ && about_->isVisible()) {
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

}  // namespace serialix

// The window's life: construction, wiring of handlers, load and unload.
#include "mainwindow/frm_main.h"
#include "mainwindow/window_messages.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <algorithm>
#include <limits>

#include "export/list_export.h"
#include "platform/input/control_characters.h"
#include "platform/input/counter_combo_events.h"
#include "platform/input/wheel_guard.h"
#include "platform/look/twips.h"
#include "platform/services/clipboard.h"
#include "platform/services/config_store.h"
#include "platform/services/drag_starter.h"
#include "platform/services/message_box.h"
#include "platform/services/program_folder.h"
#include "platform/services/program_launcher.h"
#include "platform/services/save_dialog.h"
#include "platform/services/url_opener.h"
#include "platform/widgets/combo_box_accessible.h"
#include "platform/widgets/virtual_list_box.h"
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

QString nativePath(const std::filesystem::path& path) {
  return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

// True when some screen's available area shows enough of the title bar to grab it.
bool titleBarReachable(const QRect& titleBar) {
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect visible = titleBar.intersected(screen->availableGeometry());
    if (visible.width() >= qMin(titleBar.width(), 40) && visible.height() >= titleBar.height() / 2) return true;
  }
  return false;
}

}  // namespace

frmMain::frmMain(frmMainServices services, QWidget* parent)
    : QWidget(parent),
      clipboard_(resolve<QtClipboard>(services.clipboard, ownClipboard_)),
      messages_(resolve<QtMessageBox>(services.messages, ownMessages_)),
      saveDialog_(resolve<QtSaveDialog>(services.saveDialog, ownSaveDialog_)),
      configStore_(resolve<EmptyConfigStore>(services.configStore, ownConfigStore_)),
      launcher_(resolve<SystemProgramLauncher>(services.launcher, ownLauncher_)),
      urlOpener_(resolve<DesktopUrlOpener>(services.urlOpener, ownUrlOpener_)),
      dragStarter_(resolve<QtDragStarter>(services.dragStarter, ownDragStarter_)),
      settingsFile_(std::move(services.settingsFile)),
      exportDir_(std::move(services.exportDir)),
      exportState_(std::make_unique<ExportState>()) {
  // Before any control exists: an accessible interface, once made, stays with its widget.
  NameComboBoxesByAccessibleName();
  buildControls();
  buildSegmentTable();
  nameControls();
  IgnoreWheelOnUnfocusedCombos(this);
  connectHandlers();
  // Every single-line field of the template, the combos' edit fields included. Qt cuts edit
  // text at 32767 characters by default, which would cut history entries as they are saved.
  for (QLineEdit* edit : findChildren<QLineEdit*>()) {
    GuardFieldInput(edit, [this] { inform(PastedTextTooLongMessage()); });
    edit->setMaxLength(std::numeric_limits<int>::max());
  }
  buildHttpsCommand();
  buildExampleAddressCommand(std::move(services.askTemplate));
  buildPatternCommands(std::move(services.askPattern));
  buildTemplateCommands(std::move(services.askTemplateName), std::move(services.chooseTemplate));
  connectList1Menu();
  connectList1Drag();
  installKeyboard();
  Form_Load();
  loading_ = false;
  updateCount();
}

frmMain::~frmMain() {
  // Tearing down a shown window hides it and moves the focus; no handler may run on a window
  // that is no longer whole, so every path from the controls to the handlers is cut first.
  for (QComboBox* combo : findChildren<QComboBox*>()) RemoveCounterComboHandlers(combo);
  for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
}

void frmMain::inform(const QString& text) {
  messages_->inform(this, text);
}

void frmMain::buildSegmentTable() {
  const SegmentControls table[] = {
      {&SegmentOf('A'), nullptr, lblA},
      {&SegmentOf('B'), nullptr, cmbB},
      {&SegmentOf('C'), CheckC, lblC},
      {&SegmentOf('D'), CheckD, cmbD},
      {&SegmentOf('E'), CheckE, lblE},
      {&SegmentOf('F'), CheckF, txtF},
      {&SegmentOf('G'), counterG_.check, nullptr, &counterG_},
      {&SegmentOf('H'), CheckH, lblH},
      {&SegmentOf('I'), CheckI, txtI},
      {&SegmentOf('J'), counterJ_.check, nullptr, &counterJ_},
      {&SegmentOf('K'), CheckK, cmbK},
      {&SegmentOf('L'), counterL_.check, nullptr, &counterL_},
      {&SegmentOf('M'), CheckM, lblM},
      {&SegmentOf('N'), CheckN, cmbN},
  };
  static_assert(std::size(table) == kSegments.size());
  std::copy(std::begin(table), std::end(table), segments_.begin());
}

void frmMain::connectHandlers() {
  // A counter's switch has rules of its own (below); any other switch only governs its field.
  for (const SegmentControls& s : segments_) {
    if (!s.check || !s.field) continue;
    connect(s.check, &QCheckBox::toggled, this, [this, s] { CheckPlain_Click(s.check, s.field); });
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

  setUpHistories();

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

  StoredSettings stored = LoadSettings(settingsFile_);
  settingsAsRead_ = std::make_unique<HistorySnapshot>(std::move(stored.asRead));
  if (stored.utf8) {
    inform(SettingsInUtf8Message(nativePath(settingsFile_)));
  }
  if (stored.unreadable) {
    // Starts as without a file; the file is left as it is, so say so once now.
    settingsUnreadable_ = true;
    inform(SettingsUnreadableMessage(nativePath(settingsFile_), FileErrorReason(stored.unreadable)));
  }
  if (stored.left && stored.top) {
    const QPoint position(TwipsToPixels(*stored.left), TwipsToPixels(*stored.top));
    // A window whose title bar no screen shows could not be reached or moved back.
    if (titleBarReachable(QRect(position, QSize(width(), style()->pixelMetric(QStyle::PM_TitleBarHeight)))))
      move(position);
  }
  restoreHistories({std::move(stored.hosts), std::move(stored.symbols), std::move(stored.extensions)});
  chooseHttps(stored.https);

  // An installed program's folder is not the user's: export starts at home then.
  exportState_->exportDir = !exportDir_.isEmpty() ? exportDir_ : folderWritable ? programFolder : QDir::homePath();

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
  saveSettings();
}

void frmMain::saveSettings() {
  if (settingsUnreadable_) return;
  const auto [hosts, symbols, extensions] = historyLists();
  const QPoint position = pos();
  std::error_code error;
  if (!SaveSettings(settingsFile_, PixelsToTwips(position.x()), PixelsToTwips(position.y()), *hosts, *symbols,
                    *extensions, &error, settingsAsRead_.get(), httpsChosen())) {
    // The close goes on; the user learns that this session's histories were not kept.
    inform(SettingsNotSavedMessage(nativePath(settingsFile_), FileErrorReason(error)));
  }
}

void frmMain::endSession() {
  if (about_) about_->close();
  close();
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

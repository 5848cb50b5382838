#include "about/about_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <array>

#include "platform/files/codepage932.h"
#include "platform/look/japanese_font.h"
#include "platform/look/pictures.h"
#include "platform/look/twips.h"
#include "platform/services/top_most.h"
#include "serialix_version.h"

namespace serialix {
namespace {

const QString kTitle = QString::fromLatin1(kProgramName);
constexpr std::size_t kValueBufferBytes = 1024;

const QString kLocation1Key = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocation1Value = QStringLiteral("PATH");
const QString kLocation2Key = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kLocation2Value = QStringLiteral("MSINFO");

// Where neither configuration location exists (every Linux system), these system-information
// programs stand in, the first one found on the PATH: hardinfo (GTK), kinfocenter (KDE),
// gnome-system-monitor (GNOME), lshw-gtk.
constexpr std::array kStandIns = {"hardinfo", "kinfocenter", "gnome-system-monitor", "lshw-gtk"};

// One of the two lines of Line1: a filled strip of the line's colour and width.
QWidget* MakeLine(QWidget* parent, int index, int x1, int x2, int y, int width, QColor colour) {
  auto* line = new QWidget(parent);
  line->setObjectName(QStringLiteral("Line1"));
  line->setProperty("index", index);
  line->setGeometry(TwipsToPixels(x1), TwipsToPixels(y), TwipsToPixels(x2) - TwipsToPixels(x1) + 1, width);
  QPalette palette = line->palette();
  palette.setColor(QPalette::Window, colour);
  line->setPalette(palette);
  line->setAutoFillBackground(true);
  return line;
}

}  // namespace

KeyValueStatus GetKeyValue(ConfigStore& store, std::uint32_t keyRoot, const QString& keyName, const QString& subKeyRef,
                           QString& keyVal) {
  const std::unique_ptr<ConfigKey> key = store.open(keyRoot, keyName);
  if (!key) {
    keyVal.clear();
    return KeyValueStatus::Missing;
  }
  const std::optional<ConfigValue> value = key->query(subKeyRef, kValueBufferBytes);
  if (!value) {
    keyVal.clear();
    return KeyValueStatus::Missing;
  }
  std::string bytes = value->bytes;
  if (bytes.empty()) return KeyValueStatus::Unusable;
  if (bytes.back() == '\0') bytes.pop_back();

  if (value->type == kTextValue) {
    keyVal = QString::fromStdString(Cp932ToUtf8(bytes));
  } else if (value->type == kNumberValue) {
    QString text = QStringLiteral("&h");
    for (auto byte = bytes.rbegin(); byte != bytes.rend(); ++byte) {
      text += QString::number(static_cast<unsigned char>(*byte), 16).toUpper();
    }
    keyVal = text;
  }
  return KeyValueStatus::Found;
}

frmAbout::frmAbout(QWidget* mainWindow, const AboutServices& services)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      mainWindow_(mainWindow),
      services_(services) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
  setFixedSize(TwipsToPixels(3255), TwipsToPixels(3555));
  setModal(false);

  auto* picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setGeometry(TwipsRect(240, 240, 540, 540));
  picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picIcon->setPixmap(IconPicture());

  lblTitle_ = new QLabel(this);
  lblTitle_->setObjectName(QStringLiteral("lblTitle"));
  lblTitle_->setGeometry(TwipsRect(960, 360, 1845, 480));
  lblTitle_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblTitle_->setFont(JapaneseUiFont(12));  // in the text colour: black on a light desktop

  lblVersion_ = new QLabel(QStringLiteral("ﾊﾞｰｼﾞｮﾝ"), this);
  lblVersion_->setObjectName(QStringLiteral("lblVersion"));
  lblVersion_->setGeometry(TwipsRect(840, 1200, 1845, 345));
  lblVersion_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblVersion_->setFont(JapaneseUiFont(12));

  // An etched rule: the grey line lies on the upper row of the two-pixel white one.
  MakeLine(this, 0, 105, 3120, 2640, 2, Qt::white);
  MakeLine(this, 1, 90, 3120, 2640, 1, QColor(128, 128, 128));

  cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setGeometry(TwipsRect(480, 2880, 1020, 345));
  cmdOK_->setDefault(true);

  cmdSysInfo_ = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報"), this);
  cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
  cmdSysInfo_->setGeometry(TwipsRect(1920, 2880, 1020, 345));

  // What assistive technology reads (the labels read as their texts); "OK" names its keys.
  picIcon->setAccessibleName(QStringLiteral("プログラムのアイコン"));
  cmdOK_->setAccessibleName(QStringLiteral("OK"));
  cmdOK_->setAccessibleDescription(QStringLiteral("バージョン情報を閉じます (Enter, Esc)"));
  cmdOK_->setToolTip(cmdOK_->accessibleDescription());
  cmdSysInfo_->setAccessibleName(QStringLiteral("システム情報"));
  cmdSysInfo_->setAccessibleDescription(QStringLiteral("システム情報のプログラムを開きます"));

  // Labels and the picture take no focus, so the tab order reduces to these two.
  setTabOrder(cmdOK_, cmdSysInfo_);
  cmdOK_->setFocus();

  // Esc reaches QDialog::reject and the close box closeEvent -> reject: both end in done().
  connect(cmdOK_, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
  // The dialog has no parent; it must not outlive the window it belongs to.
  if (mainWindow) connect(mainWindow, &QObject::destroyed, this, &QObject::deleteLater);

  Form_Load();
}

void frmAbout::Form_Load() {
  TopForm(this);
  setWindowTitle(kTitle + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
  lblVersion_->setText(QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch));
  lblTitle_->setText(kTitle);
}

std::int32_t frmAbout::TopForm(QWidget* window) {
  return SetTopMost(window);
}

void frmAbout::done(int result) {
  QDialog::done(result);
  Form_Unload();
  deleteLater();
}

void frmAbout::Form_Unload() {
  if (mainWindow_) mainWindow_->setEnabled(true);
}

// Closing runs Form_Unload, which enables the main window again.
void frmAbout::cmdOK_Click() {
  done(QDialog::Accepted);
}

void frmAbout::cmdSysInfo_Click() {
  StartSysInfo();
}

void frmAbout::StartSysInfo() {
  ConfigStore& store = *services_.store;
  ProgramLauncher& launcher = *services_.launcher;
  const auto fail = [this] {
    if (services_.sysInfoUnavailable) services_.sysInfoUnavailable(this);
  };

  QString sysInfoPath;
  KeyValueStatus status = GetKeyValue(store, kLocalMachineRoot, kLocation1Key, kLocation1Value, sysInfoPath);
  if (status == KeyValueStatus::Unusable) return fail();
  if (status == KeyValueStatus::Found) {
    // Started as given, without a look at whether the file exists.
    if (!launcher.start(sysInfoPath)) fail();
    return;
  }

  status = GetKeyValue(store, kLocalMachineRoot, kLocation2Key, kLocation2Value, sysInfoPath);
  if (status == KeyValueStatus::Unusable) return fail();
  if (status == KeyValueStatus::Found) {
    const QString found = launcher.findFile(sysInfoPath + QStringLiteral("\\MSINFO32.EXE"));
    if (found.isEmpty() || !launcher.start(found)) fail();
    return;
  }

  for (const char* name : kStandIns) {
    const QString program = launcher.findExecutable(QString::fromLatin1(name));
    if (!program.isEmpty()) {
      if (!launcher.start(program)) fail();
      return;
    }
  }
  fail();
}

frmAbout* ShowAboutDialog(QWidget* mainWindow, const AboutServices& services) {
  auto* dialog = new frmAbout(mainWindow, services);
  QScreen* screen = mainWindow ? mainWindow->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    QRect frame = dialog->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    dialog->move(frame.topLeft());
  }
  dialog->show();
  if (mainWindow) mainWindow->setEnabled(false);
  return dialog;
}

}  // namespace serialix

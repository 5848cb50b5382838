// Builds the controls of the main window at their designed places.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <tuple>

#include "mainwindow/frm_main.h"
#include "platform/look/fitted_caption.h"
#include "platform/look/japanese_font.h"
#include "platform/look/pictures.h"
#include "platform/look/twips.h"
#include "platform/widgets/editable_combo.h"
#include "platform/widgets/virtual_list_box.h"
#include "serialix_version.h"

namespace serialix {
namespace {

template <typename W>
W* place(QWidget* parent, const QString& name, int left, int top, int width, int height) {
  auto* w = new W(parent);
  w->setObjectName(name);
  w->setGeometry(TwipsRect(left, top, width, height));
  return w;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, Qt::Alignment align, int left, int top,
              int width, int height) {
  auto* l = place<QLabel>(parent, name, left, top, width, height);
  l->setText(caption);
  l->setAlignment(align | Qt::AlignTop);
  l->setFont(JapaneseUiFont());
  return l;
}

QComboBox* combo(QWidget* parent, const QString& name, int left, int top, int width, int height) {
  // The list is the history or the value list, never grown by Enter, and no inline completion.
  QComboBox* c = place<EditableComboBox>(parent, name, left, top, width, height);
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setFont(JapaneseUiFont());
  c->setMaxVisibleItems(8);
  return c;
}

QLineEdit* textBox(QWidget* parent, const QString& name, int left, int top, int width, int height) {
  auto* t = place<QLineEdit>(parent, name, left, top, width, height);
  t->setFont(JapaneseUiFont());
  return t;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                    int height) {
  auto* b = place<QPushButton>(parent, name, left, top, width, height);
  b->setText(caption);
  b->setAutoDefault(false);
  return b;
}

// A straight line of the designer: a one-pixel strip of the text colour between two points.
QWidget* line(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2) {
  auto* l = new QWidget(parent);
  l->setObjectName(name);
  l->setAttribute(Qt::WA_TransparentForMouseEvents);
  l->setAutoFillBackground(true);
  l->setBackgroundRole(QPalette::WindowText);  // black on a light desktop, light on a dark one
  l->setGeometry(QRect(QPoint(TwipsToPixels(x1), TwipsToPixels(y1)), QPoint(TwipsToPixels(x2), TwipsToPixels(y2)))
                     .normalized()
                     .adjusted(0, 0, 1, 1));
  return l;
}

// A fill-style group: a caption-less group box holding the "  1", " 01", "001" options.
// The window's one style sheet, parsed once. Child selectors keep it to the window's own
// controls: dialogs opened on the window are its children too.
const char kWindowStyleSheet[] =
    // The designed combos are narrow: a slim arrow leaves room for three 12-point digits.
    "#frmMain > QComboBox[editable=\"true\"] { padding: 0px 0px 0px 2px; }"
    "#frmMain > QComboBox[editable=\"true\"]::drop-down { width: 13px; }"
    // The letter list's own colours: white and black on a light desktop, the dark ones on a dark one.
    "#frmMain > #cmbD { background: palette(base); color: palette(text); }"
    // Group boxes drawn as on the classic desktop: the caption sits on the frame line, and option
    // captions keep to the designed widths. A frame without a caption keeps its border at its top
    // edge, so a frame placed above the window's top shows no top line.
    "#frmMain > QGroupBox { border: 1px solid #a0a0a0; margin-top: 0px; }"
    "#frmMain > #Frame4 { margin-top: 7px; }"
    "#frmMain > QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"
    "#frmMain > QGroupBox > QRadioButton { spacing: 2px; }"
    // The switches are 12 pixels high: the whole box must fit.
    "#frmMain > QGroupBox > QCheckBox::indicator { width: 10px; height: 10px; }"
    // A plain one-pixel border drawn as a filled strip: the style's own frame line falls outside
    // the list's last pixel row at 150 % scaling.
    "#frmMain > #List1 { border: 1px solid palette(mid); }";

void styleGroup(QWidget* parent, CounterControls& counter, const QString& name, int left, const QString& optionName) {
  counter.frame = place<QGroupBox>(parent, name, left, -50, 735, 890);
  static const char* const captions[] = {"  1", " 01", "001"};
  for (int i = 0; i < 3; ++i) {
    counter.options[i] = place<QRadioButton>(counter.frame, QStringLiteral("%1(%2)").arg(optionName).arg(i), 120,
                                             120 + 240 * i, 570, 255);
    counter.options[i]->setText(QString::fromLatin1(captions[i]));
  }
  KeepCaptionsWhole({counter.options.begin(), counter.options.end()});
  counter.options[0]->setChecked(true);
}

// A widget with a style sheet keeps the palette it had when the sheet was applied; when the
// desktop switches to another palette while the window is open, the sheet is applied again.
class StyleSheetsFollowPalette : public QObject {
 public:
  explicit StyleSheetsFollowPalette(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::ApplicationPaletteChange) window_->setStyleSheet(window_->styleSheet());
    return false;
  }

 private:
  QWidget* window_;
};

}  // namespace

// The icon is drawn from font outlines, which costs about as much as building every control:
// it is set once the window has first been painted, so the window shows without waiting for it.
void frmMain::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (iconRequested_) return;
  iconRequested_ = true;
  QMetaObject::invokeMethod(
      this, [this] { setWindowIcon(ApplicationIcon()); }, Qt::QueuedConnection);
}

void frmMain::buildControls() {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QString::fromLatin1(kWindowTitle));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(TwipsToPixels(11655), TwipsToPixels(7665));
  setFont(JapaneseDialogFont());

  // The designer's names for the counters' controls.
  auto [cmbG, cmbJ, cmbL] = std::tie(counterG_.combos, counterJ_.combos, counterL_.combos);
  auto [opt1, opt2, opt3] = std::tie(counterG_.options, counterJ_.options, counterL_.options);
  auto [CheckG, CheckJ, CheckL] = std::tie(counterG_.check, counterJ_.check, counterL_.check);

  lblA = label(this, "lblA", FixedText(SegmentOf('A')), Qt::AlignLeft, 120, 1250, 735, 255);
  FitLabelFont(lblA, lblA->text(), lblA->font());
  cmbB = combo(this, "cmbB", 840, 1200, 3375, 360);
  lblC = label(this, "lblC", FixedText(SegmentOf('C')), Qt::AlignHCenter, 4200, 1250, 255, 255);

  cmbD = place<LazyListComboBox>(this, "cmbD", 4440, 1200, 615, 360);
  cmbD->setFont(JapaneseUiFont());
  for (char letter = 'a'; letter <= 'z'; ++letter) cmbD->addItem(QString(QChar(letter)));
  cmbD->setCurrentIndex(-1);

  lblE = label(this, "lblE", FixedText(SegmentOf('E')), Qt::AlignHCenter, 5040, 1250, 255, 255);
  txtF = textBox(this, "txtF", 5280, 1200, 735, 405);

  styleGroup(this, counterG_, "Frame1", 6120, "opt1");
  styleGroup(this, counterJ_, "Frame2", 7920, "opt2");
  styleGroup(this, counterL_, "Frame3", 9480, "opt3");
  counterG_.follower = &counterJ_;
  counterJ_.follows = true;

  cmbG[0] = combo(this, "cmbG(0)", 6120, 840, 735, 360);
  cmbG[1] = combo(this, "cmbG(1)", 6120, 1440, 735, 360);
  Label1[0] = label(this, "Label1(3)", "～", Qt::AlignHCenter, 6240, 1200, 255, 255);
  lblH = label(this, "lblH", FixedText(SegmentOf('H')), Qt::AlignHCenter, 6840, 1250, 255, 255);
  txtI = textBox(this, "txtI", 7080, 1200, 735, 405);
  cmbJ[0] = combo(this, "cmbJ(0)", 7920, 840, 735, 360);
  cmbJ[1] = combo(this, "cmbJ(1)", 7920, 1440, 735, 360);
  Label1[1] = label(this, "Label1(5)", "～", Qt::AlignHCenter, 8040, 1200, 255, 255);
  cmbK = combo(this, "cmbK", 8760, 1200, 615, 360);
  cmbL[1] = combo(this, "cmbL(1)", 9480, 1440, 735, 360);
  cmbL[0] = combo(this, "cmbL(0)", 9480, 840, 735, 360);
  Label1[2] = label(this, "Label1(6)", "～", Qt::AlignHCenter, 9600, 1200, 255, 255);
  lblM = label(this, "lblM", FixedText(SegmentOf('M')), Qt::AlignHCenter, 10200, 1250, 255, 255);
  cmbN = combo(this, "cmbN", 10440, 1200, 1095, 360);

  // Design texts; start-up replaces the counter texts and fills the lists.
  for (auto* c : {cmbG[0], cmbJ[0], cmbL[0]}) {
    c->setEditText("1");
  }
  for (auto* c : {cmbG[1], cmbJ[1], cmbL[1]}) c->setEditText("999");
  cmbK->setEditText("~");
  cmbN->setEditText("mpg");

  Line[0] = line(this, "Line1", 5640, 1560, 5640, 1850);
  Line[1] = line(this, "Line2", 7440, 1560, 7440, 1850);
  Line[2] = line(this, "Line3", 5640, 1850, 7440, 1850);
  Line[3] = line(this, "Line4", 6840, 480, 7920, 480);

  Check1 = button(this, "Check1", "=", 5490, 1680, 375, 255);
  Check1->setCheckable(true);
  Check2 = button(this, "Check2", "=", 7080, 360, 615, 255);
  Check2->setCheckable(true);

  Frame4 = place<QGroupBox>(this, "Frame4", 120, 1920, 11415, 495);
  Frame4->setTitle(QStringLiteral("適用／非適用"));
  struct SwitchPlace {
    QCheckBox** check;
    const char* name;
    int left;
  };
  const SwitchPlace switches[] = {
      {&CheckC, "CheckC", 4080}, {&CheckD, "CheckD", 4540}, {&CheckE, "CheckE", 4940},  {&CheckF, "CheckF", 5450},
      {&CheckG, "CheckG", 6240}, {&CheckH, "CheckH", 6720}, {&CheckI, "CheckI", 7250},  {&CheckJ, "CheckJ", 8040},
      {&CheckK, "CheckK", 8880}, {&CheckL, "CheckL", 9600}, {&CheckM, "CheckM", 10080}, {&CheckN, "CheckN", 10680},
  };
  for (const auto& s : switches) {
    *s.check = place<QCheckBox>(Frame4, s.name, s.left, 210, 255, 180);
    (*s.check)->setChecked(true);
  }

  cmdListC1 = button(this, "cmdListC1", "削除", 3480, 840, 615, 255);
  cmdListC1->setEnabled(false);
  cmdListC2 = button(this, "cmdListC2", "削除", 8760, 840, 615, 255);
  cmdListC3 = button(this, "cmdListC3", "削除", 10920, 840, 615, 255);
  cmdR = button(this, "cmdR", "実行", 720, 2530, 975, 375);
  cmdClear = button(this, "cmdClear", "ﾘｽﾄｸﾘｱ", 2040, 2530, 975, 375);
  cmdOut = button(this, "cmdOut", "書き出し", 3360, 2530, 975, 375);
  cmdCrip = button(this, "cmdCrip", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ", 4560, 2530, 1095, 375);
  cmdEnd = button(this, "cmdEnd", "終了", 9120, 2520, 1215, 375);
  cmdHelp = button(this, "cmdHelp", "ﾍﾙﾌﾟ", 10560, 2520, 975, 375);

  List1 = new VirtualListBox(this);
  List1->setObjectName("List1");
  List1->setGeometry(TwipsRect(120, 3120, 11415, 4380));

  Image1 = place<QLabel>(this, "Image1", 10560, 0, 1155, 615);
  Image1->setPixmap(LogoPicture());
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  buildCountLabel();
  setStyleSheet(QString::fromLatin1(kWindowStyleSheet));
  new StyleSheetsFollowPalette(this);

  // Keyboard focus visits the controls in the designed tab order; labels, frames and lines take none.
  for (QLabel* l : findChildren<QLabel*>()) l->setFocusPolicy(Qt::NoFocus);
  QWidget* const order[] = {txtF,    cmbB,    cmbD,    cmbG[0], cmbG[1],   txtI,      cmbJ[0],   cmbJ[1],  cmbL[1],
                            cmbL[0], cmbN,    opt1[0], opt1[1], opt1[2],   opt2[2],   opt2[1],   opt2[0],  opt3[2],
                            opt3[1], opt3[0], cmbK,    Check1,  Check2,    List1,     cmdR,      cmdClear, cmdOut,
                            cmdEnd,  CheckC,  CheckD,  CheckE,  CheckF,    CheckG,    CheckH,    CheckI,   CheckJ,
                            CheckK,  CheckL,  CheckM,  CheckN,  cmdListC1, cmdListC2, cmdListC3, cmdHelp,  cmdCrip};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    setTabOrder(order[i], order[i + 1]);
  }
}

}  // namespace serialix

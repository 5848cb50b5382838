#include "platform/input/counter_combo_events.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace serialix {
namespace {

constexpr int kCtrlC = 3;
constexpr int kCtrlV = 22;
constexpr int kCtrlX = 24;

int CodeWithControl(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key - Qt::Key_A + 1;
  switch (key) {
    case Qt::Key_BracketLeft: return 27;
    case Qt::Key_Backslash: return 28;
    case Qt::Key_BracketRight: return 29;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 10;
    case Qt::Key_Backspace: return 127;
    case Qt::Key_Insert: return kCtrlC;
    default: return 0;
  }
}

// The code point of the printable character the key types; text() only names the character.
int PrintableCode(const QKeyEvent& event) {
  const QString text = event.text();
  if (!text.isEmpty()) {
    const char32_t code = text.toUcs4().value(0);
    if (code >= 0x20 && code != 0x7f && !(code >= 0x80 && code < 0xa0)) return static_cast<int>(code);
    return 0;
  }
  // Synthesised events may carry no text: printable ASCII keys name their character.
  const int key = event.key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    return event.modifiers().testFlag(Qt::ShiftModifier) ? key : key - Qt::Key_A + 'a';
  if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) return key;
  return 0;
}

}  // namespace

int KeyAsciiFromKeyEvent(const QKeyEvent& event) {
  const int key = event.key();
  const Qt::KeyboardModifiers mods = event.modifiers();
  const bool ctrl = mods.testFlag(Qt::ControlModifier);
  const bool alt = mods.testFlag(Qt::AltModifier);
  const bool shift = mods.testFlag(Qt::ShiftModifier);

  switch (key) {
    case Qt::Key_Copy: return kCtrlC;
    case Qt::Key_Paste: return kCtrlV;
    case Qt::Key_Cut: return kCtrlX;
    default: break;
  }
  if (ctrl && !alt) return CodeWithControl(key);
  if (alt || mods.testFlag(Qt::MetaModifier)) return 0;  // menu and system keys type nothing

  switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Insert: return shift ? kCtrlV : 0;  // Shift+Insert pastes
    case Qt::Key_Delete: return shift ? kCtrlX : 0;  // Shift+Delete cuts
    default: break;
  }
  return PrintableCode(event);
}

namespace {

// The object name of both handler filters, so they can be found and removed.
const QString kHandlerName = QStringLiteral("counterComboHandler");

// Lives as a child of the combo, so it goes away with it.
class KeyPressFilter : public QObject {
 public:
  KeyPressFilter(QComboBox* combo, std::function<void(int&)> handler)
      : QObject(combo), combo_(combo), handler_(std::move(handler)) {
    setObjectName(kHandlerName);
    combo->installEventFilter(this);
    disableInputMethod();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
        // The combo keeps the focus and hands key presses to its line edit directly; the line
        // edit sees them here only when it has the focus itself.
        if (watched != combo_ && QApplication::focusWidget() != watched) return false;
        return filterKey(static_cast<QKeyEvent*>(event));
      case QEvent::InputMethod:
        // Composed text (full-width digits and the like) would bypass the key handler.
        return true;
      case QEvent::FocusIn:
      case QEvent::Show:
      case QEvent::ChildAdded: disableInputMethod(); break;
      default: break;
    }
    return false;
  }

 private:
  // QComboBox turns the attribute back on when it becomes editable or takes a new line edit.
  void disableInputMethod() {
    combo_->setAttribute(Qt::WA_InputMethodEnabled, false);
    if (QLineEdit* edit = combo_->lineEdit()) {
      edit->setAttribute(Qt::WA_InputMethodEnabled, false);
      if (!watched_.contains(edit)) {
        edit->installEventFilter(this);
        watched_.append(edit);
      }
    }
  }

  bool filterKey(QKeyEvent* event) {
    int code = KeyAsciiFromKeyEvent(*event);
    if (code == 0) return false;
    handler_(code);
    return code == 0;
  }

  QComboBox* combo_;
  std::function<void(int&)> handler_;
  QList<QPointer<QLineEdit>> watched_;
};

class LostFocusFilter : public QObject {
 public:
  LostFocusFilter(QComboBox* combo, std::function<void()> handler)
      : QObject(combo), combo_(combo), handler_(std::move(handler)), focused_(combo->hasFocus()) {
    setObjectName(kHandlerName);
    combo->installEventFilter(this);
    if (QLineEdit* edit = combo->lineEdit()) edit->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      focused_ = true;
    } else if (event->type() == QEvent::FocusOut) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      // The list popping up and the window losing activation leave the focus with the combo.
      if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return false;
      if (focusStaysWithCombo(QApplication::focusWidget())) return false;
      // Both the combo and its line edit see the loss; report it once.
      if (focused_) {
        focused_ = false;
        handler_();
      }
    }
    return false;
  }

 private:
  // The drop-down list is a window of its own whose view takes the focus once it is shown.
  bool focusStaysWithCombo(const QWidget* now) const {
    if (!now) return false;
    if (now == combo_ || combo_->isAncestorOf(now)) return true;
    const QWidget* view = combo_->view();
    return view && now->window() == view->window();
  }

  QComboBox* combo_;
  std::function<void()> handler_;
  bool focused_;
};

}  // namespace

void InstallKeyPressHandler(QComboBox* combo, std::function<void(int& keyAscii)> handler) {
  new KeyPressFilter(combo, std::move(handler));
}

void InstallLostFocusHandler(QComboBox* combo, std::function<void()> handler) {
  new LostFocusFilter(combo, std::move(handler));
}

void RemoveCounterComboHandlers(QComboBox* combo) {
  // A deleted filter leaves every event filter list it was in.
  qDeleteAll(combo->findChildren<QObject*>(kHandlerName, Qt::FindDirectChildrenOnly));
}

}  // namespace serialix

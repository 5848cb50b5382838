#include "platform/input/control_characters.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QValidator>
#include <algorithm>
#include <utility>

#include "core/address_characters.h"

namespace serialix {
namespace {

// Every character the rule refuses lies in the basic plane, so one UTF-16 unit is enough; the
// halves of a surrogate pair always pass.
bool IsControl(QChar c) {
  return !MayStandInAddress(c.unicode());
}

// QLineEdit runs its validator on every user edit and takes over the text the validator
// hands back, so the field's change signals only ever see the cleaned text. An edit the validator
// calls Invalid is undone before the field lays out the text or signals a change.
// Tells the user after the event that caused the refusal has been dealt with.
void TellLater(QLineEdit* edit, const std::function<void()>& tooLong) {
  if (tooLong) QTimer::singleShot(0, edit, tooLong);
}

class FieldInputValidator : public QValidator {
 public:
  FieldInputValidator(QLineEdit* edit, std::function<void()> tooLong)
      : QValidator(edit), edit_(edit), tooLong_(std::move(tooLong)) {}

  State validate(QString& input, int& pos) const override {
    // A user's edit has left an undo step by now; a text the program sets clears them.
    if (input.size() > kLongestEditedText && input.size() > accepted_ && edit_->isUndoAvailable()) {
      refuseLater(input.size());
      return Invalid;
    }
    if (std::any_of(input.cbegin(), input.cend(), IsControl)) input = WithoutControlCharacters(input, &pos);
    accepted_ = input.size();
    return Acceptable;
  }

 private:
  // Told once the edit is undone; not when the refused text stayed (an undo step that Qt does
  // not take back).
  void refuseLater(qsizetype refusedSize) const {
    QTimer::singleShot(0, edit_, [edit = edit_, refusedSize, tooLong = tooLong_] {
      if (tooLong && edit->text().size() != refusedSize) tooLong();
    });
  }

  QLineEdit* edit_;
  std::function<void()> tooLong_;
  mutable qsizetype accepted_ = 0;  // the length of the text last let through
};

// Pastes (keys, the context menu, the middle button) and drops measured before the line edit
// inserts anything: Qt inserts a pasted text one undo step a character, which alone takes seconds
// for a text of megabytes, before the validator could refuse it.
class LongPasteFilter : public QObject {
 public:
  LongPasteFilter(QLineEdit* edit, std::function<void()> tooLong)
      : QObject(edit), edit_(edit), tooLong_(std::move(tooLong)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
        return static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste) && refuses(QClipboard::Clipboard);
      case QEvent::MouseButtonRelease:
        return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
               QGuiApplication::clipboard()->supportsSelection() && refuses(QClipboard::Selection);
      case QEvent::Drop: {
        const QMimeData* data = static_cast<QDropEvent*>(event)->mimeData();
        return data != nullptr && data->hasText() && refuses(data->text(), false);
      }
      case QEvent::ContextMenu: showMenu(static_cast<QContextMenuEvent*>(event)); return true;
      default: return false;
    }
  }

 private:
  bool refuses(QClipboard::Mode mode) { return refuses(QGuiApplication::clipboard()->text(mode), true); }

  // True, and the user is told, when the text would leave the field longer than it takes.
  bool refuses(const QString& pasted, bool replacesSelection) {
    qsizetype after = edit_->text().size() + pasted.size();
    if (replacesSelection) after -= edit_->selectedText().size();
    if (after <= kLongestEditedText || after <= edit_->text().size()) return false;
    TellLater(edit_, tooLong_);
    return true;
  }

  // The line edit's own menu, with its paste measured first.
  void showMenu(QContextMenuEvent* event) {
    QMenu* menu = edit_->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The entry has no object name; its caption is QLineEdit's own, followed by its key.
    for (QAction* paste : menu->actions()) {
      if (paste->text().section(u'\t', 0, 0) != QLineEdit::tr("&Paste")) continue;
      disconnect(paste, &QAction::triggered, edit_, nullptr);
      connect(paste, &QAction::triggered, edit_, [this] {
        if (!refuses(QClipboard::Clipboard)) edit_->paste();
      });
    }
    menu->popup(event->globalPos());
  }

  QLineEdit* edit_;
  std::function<void()> tooLong_;
};

}  // namespace

QString WithoutControlCharacters(const QString& text, int* cursor) {
  QString clean;
  clean.reserve(text.size());
  int removedBeforeCursor = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!IsControl(text[i])) {
      clean += text[i];
    } else if (cursor != nullptr && i < *cursor) {
      ++removedBeforeCursor;
    }
  }
  if (cursor != nullptr) *cursor -= removedBeforeCursor;
  return clean;
}

void GuardFieldInput(QLineEdit* edit, std::function<void()> tooLong) {
  edit->setValidator(new FieldInputValidator(edit, tooLong));
  auto* filter = new LongPasteFilter(edit, std::move(tooLong));
  edit->installEventFilter(filter);
  // An editable combo box takes the keys and hands them to its line edit.
  if (auto* combo = qobject_cast<QComboBox*>(edit->parentWidget())) combo->installEventFilter(filter);
}

}  // namespace serialix

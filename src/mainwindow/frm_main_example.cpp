// Starting from an example address: the address on the clipboard, cut into the template by the
// dialog, is set through the window's own controls, as a user would set it by hand.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/address_characters.h"
#include "core/pattern_proposal.h"
#include "mainwindow/example_address_dialog.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/link_caption.h"
#include "mainwindow/window_command.h"
#include "mainwindow/window_messages.h"
#include "platform/services/clipboard.h"
#include "platform/services/message_box.h"

namespace serialix {

void frmMain::buildExampleAddressCommand(AskTemplate askTemplate) {
  askTemplate_ = askTemplate ? std::move(askTemplate) : AskTemplate(&AskTemplateFromExample);
  auto* action = exampleAddressAction_ =
      WindowCommand(this, QStringLiteral("例のアドレスから作成…"), QStringLiteral("actExampleAddress"),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V),
                    QStringLiteral("クリップボードのアドレスからテンプレートを作ります"));
  connect(action, &QAction::triggered, this, &frmMain::startFromExampleAddress);
}

std::optional<std::string> frmMain::clipboardAddressText() {
  // Longer than any address a browser opens: refused before a reader or a field lays it out, and
  // a list copied from this window (millions of lines) before it is even made.
  const auto tooLong = [this] {
    inform(ExampleAddressErrorMessage(ExampleAddressError::TooLong));
    return std::nullopt;
  };
  const std::optional<std::uint64_t> known = clipboard_->knownTextBytes();
  if (known && *known > kLongestExampleAddress) return tooLong();
  std::string held = clipboard_->textBytes();
  if (held.size() > kLongestExampleAddress) return tooLong();
  return held;
}

void frmMain::startFromExampleAddress() {
  const std::optional<std::string> held = clipboardAddressText();
  if (!held) return;
  // A pattern on the clipboard is applied as one: its brackets are no part of an address.
  if (IsValidUtf8(*held) && LooksLikePattern(QString::fromStdString(*held).trimmed().toStdString())) {
    applyPattern(QString::fromStdString(*held));
    return;
  }
  auto read = ReadExampleAddress(*held);
  if (const auto* error = std::get_if<ExampleAddressError>(&read)) {
    inform(ExampleAddressErrorMessage(*error));
    return;
  }
  const auto proposal = askTemplate_(std::move(std::get<ExampleAddress>(read)), this);
  // Without a window manager nothing hands the activation back when the dialog closes, and the
  // window's shortcuts only work in the active window.
  activateWindow();
  if (proposal) applyTemplateProposal(*proposal);
}

// Steps 0 to 3 below: what every template set from outside (a proposal, a saved template) sets first.
void frmMain::applySchemeSwitchesAndLinks(bool https, const SegmentSwitches& on, bool textLink, bool counterLink) {
  chooseHttps(https);
  for (const SegmentControls& s : segments_) {
    if (s.check && s.check->isChecked() != on[s.letter()]) s.check->setChecked(on[s.letter()]);
  }
  if (Check2->text() != LinkCaption(counterLink)) Check2->click();
  if (Check1->text() != LinkCaption(textLink)) Check1->click();
}

// Steps 4 to 6 below.
void frmMain::applyStylesAndTexts(const std::function<const std::string*(char)>& textOf,
                                  const std::function<const CounterSetting*(char)>& counterOf) {
  const auto setting = [&](const SegmentControls& s) -> const CounterSetting* {
    return s.counter && !(s.counter->follows && linkOn()) ? counterOf(s.letter()) : nullptr;
  };
  for (const SegmentControls& s : segments_) {
    if (const CounterSetting* c = setting(s)) s.counter->options[static_cast<std::size_t>(c->style)]->setChecked(true);
  }
  for (const SegmentControls& s : segments_) {
    if (const std::string* text = s.field ? textOf(s.letter()) : nullptr)
      SetFieldText(s.field, QString::fromStdString(*text));
  }
  for (const SegmentControls& s : segments_) {
    if (const CounterSetting* c = setting(s)) {
      s.counter->combos[0]->setEditText(QString::fromStdString(c->from));
      s.counter->combos[1]->setEditText(QString::fromStdString(c->to));
    }
  }
}

// The proposal is applied through the window's own handlers, in an order in which no cascade
// overwrites a value set earlier:
//  0. Segment A's scheme through chooseHttps, as "https:// で作成" sets it; it touches no other
//     control, so its place in the order is free.
//  1. The switches, in address order, each only where its value differs. Unchecking CheckG
//     releases the counter link; checking CheckJ never establishes it.
//  2. Check2 clicked when its caption is not the proposal's counter link. CheckG is already on
//     whenever the proposal links the counters, so the click takes effect.
//  3. Check1 clicked when its caption is not the proposal's text link.
//  4. The fill style of each counter that is on (J only while the counter link is released): an
//     option click rewrites the counter's texts and refills its lists, so it comes before the
//     texts; with the link opt1 also sets opt2.
//  5. The texts of cmbB, then of txtF, txtI, cmbK, cmbN where their switch is on; a switched-off
//     segment keeps its text, as a switched-off counter does. With the text link txtF is mirrored
//     into txtI and I equals F, so setting txtI afterwards changes nothing.
//  6. The from and to texts of each counter that is on, J only while released (G's are mirrored
//     into J while linked); equal texts, so the ordering rule copies nothing unexpected.
//  7. The focus in the last counter's to combo, its text selected (no counter: on 実行).
// Counters that are off keep their texts and styles; the result list, the histories and set.ini
// are not touched and nothing is run.
void frmMain::applyTemplateProposal(const TemplateProposal& p) {
  applySchemeSwitchesAndLinks(p.https, p.on, p.textLink, p.counterLink);

  // Only the segments that are on: a switched-off segment keeps its text and its counter.
  applyStylesAndTexts(
      [&p](char letter) {
        return SegmentOf(letter).kind == SegmentKind::Text && p.on[letter] ? p.text(letter) : nullptr;
      },
      [&p](char letter) { return p.on[letter] ? p.counter(letter) : nullptr; });

  // The user types the last number and presses Enter; without a counter there is only 実行 left
  // (and the control that had the focus may just have been disabled).
  const CounterControls* last = counterByLetter(QString(QChar(p.lastCounter)));
  if (!last) {
    cmdR->setFocus(Qt::ShortcutFocusReason);
    return;
  }
  QComboBox* to = last->combos[1];
  to->setFocus(Qt::ShortcutFocusReason);
  to->lineEdit()->selectAll();
}

}  // namespace serialix

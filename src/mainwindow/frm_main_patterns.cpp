// Patterns in and out: the next run's template copied as one pattern for serialix-list, curl and
// the like, and a pattern made into the template through the window's own handlers.
#include <QAction>
#include <QKeySequence>

#include "core/address_characters.h"
#include "core/pattern_proposal.h"
#include "core/template_pattern.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/pattern_dialog.h"
#include "mainwindow/window_command.h"
#include "mainwindow/window_messages.h"
#include "platform/services/clipboard.h"

namespace serialix {
namespace {}  // namespace

void frmMain::buildPatternCommands(AskPatternText askPattern) {
  askPattern_ = askPattern ? std::move(askPattern) : AskPatternText(&AskPattern);
  templateFromPatternAction_ = WindowCommand(
      this, QStringLiteral("パターンから作成…"), QStringLiteral("actTemplateFromPattern"),
      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_V),
      QStringLiteral("http://example.com/vol[01-03]/page[01-12].jpg のようなパターンからテンプレートを作ります"));
  connect(templateFromPatternAction_, &QAction::triggered, this, &frmMain::startFromPattern);
  copyPatternAction_ = WindowCommand(
      this, QStringLiteral("パターンとしてコピー"), QStringLiteral("actCopyPattern"),
      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
      QStringLiteral("次回の実行で追加されるアドレスを、serialix-list や curl で展開できるパターンとしてコピーします"));
  connect(copyPatternAction_, &QAction::triggered, this, &frmMain::copyAsPattern);
}

// Refuses what the run would refuse, with the run's words, so that the pattern always expands to
// exactly the rows the run would append.
void frmMain::copyAsPattern() {
  const NextRunResult next = NextRunTemplate();
  if (const auto* error = std::get_if<CounterTextError>(&next)) return inform(CounterTextMessage(*error));
  if (const auto* error = std::get_if<SegmentTextError>(&next)) return inform(SegmentTextMessage(*error));
  AddressTemplate tmpl = std::get<AddressTemplate>(next);
  if (!AddressCount(tmpl)) return inform(TooManyAddressesMessage());
  const auto pattern = TemplatePattern(tmpl);
  if (!pattern) {
    const char letter = CounterPatternCannotSay(tmpl);
    return inform(CounterNotInPatternMessage(letter, *tmpl.counter(letter)));
  }
  clipboard_->clear();
  clipboard_->setText(QString::fromStdString(WritePattern(*pattern)));
}

void frmMain::startFromPattern() {
  const std::optional<std::string> held = clipboardAddressText();
  if (!held) return;
  const QString clipboardText = IsValidUtf8(*held) ? QString::fromStdString(*held).trimmed() : QString();
  QString text = LooksLikePattern(clipboardText.toStdString()) ? clipboardText : QString();
  // A refused pattern comes back in the dialog to be mended, until it is applied or cancelled.
  while (const std::optional<QString> typed = askPattern_(text, this)) {
    activateWindow();
    if (applyPattern(*typed)) return;
    text = *typed;
  }
  activateWindow();
}

bool frmMain::applyPattern(const QString& pattern) {
  const std::string text = pattern.trimmed().toStdString();
  const auto proposal = ProposeTemplateFromPattern(text);
  if (const auto* refusal = std::get_if<PatternRefusal>(&proposal)) {
    inform(PatternRefusalMessage(*refusal, text));
    return false;
  }
  applyTemplateProposal(std::get<TemplateProposal>(proposal));
  return true;
}

}  // namespace serialix

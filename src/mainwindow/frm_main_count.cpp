// The count label: how many addresses the next "実行" would append, and which first and last.
// It reads the window through NextRunTemplate, as the run does, so the two cannot disagree.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "core/address_run.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/window_messages.h"
#include "platform/look/twips.h"
#include "platform/widgets/elided_label.h"
#include "platform/widgets/virtual_list_box.h"

namespace serialix {
namespace {

// Digits grouped by three with ASCII commas: 1234567 -> "1,234,567".
QString grouped(std::uint64_t value) {
  QString digits = QString::number(value);
  for (qsizetype i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, QLatin1Char(','));
  return digits;
}

// The same count in the Japanese units of 10^4 with four figures at most, for a label too narrow
// for every digit: 1000000000 -> "10億", 123456789 -> "約1.23億". Figures are cut, never rounded
// up, and "約" says so.
QString inUnits(std::uint64_t value) {
  static const struct {
    std::uint64_t size;
    const char16_t* name;
  } units[] = {{10'000'000'000'000'000, u"京"}, {1'000'000'000'000, u"兆"}, {100'000'000, u"億"}, {10'000, u"万"}};
  for (const auto& unit : units) {
    if (value < unit.size) continue;
    const std::uint64_t whole = value / unit.size;
    const int decimals = whole >= 100 ? 0 : whole >= 10 ? 1 : 2;
    std::uint64_t step = unit.size;
    for (int i = 0; i < decimals; ++i) step /= 10;
    QString figures = grouped(whole);
    if (decimals > 0) {
      QString fraction = QString::number(value % unit.size / step).rightJustified(decimals, QLatin1Char('0'));
      while (fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
      if (!fraction.isEmpty()) figures += QLatin1Char('.') + fraction;
    }
    const QString about = value % step == 0 ? QString() : QStringLiteral("約");
    return about + figures + QString::fromUtf16(unit.name);
  }
  return grouped(value);
}

using CountWording = QString (*)(std::uint64_t);

QString address(const std::string& text) {
  return QString::fromStdString(text);
}

struct CountTexts {
  QString label;   // the one line the label shows
  QString detail;  // what the next run adds, or why it adds nothing
};

CountTexts countTexts(const NextRunResult& next, const ResultList& list, CountWording number) {
  const QString listed = number(list.size());
  if (const auto* error = std::get_if<CounterTextError>(&next)) {
    return {QStringLiteral("次回 ? 件 / 一覧 %1 件").arg(listed), CounterTextMessage(*error)};
  }
  if (const auto* error = std::get_if<SegmentTextError>(&next)) {
    return {QStringLiteral("次回 ? 件 / 一覧 %1 件").arg(listed), SegmentTextMessage(*error)};
  }
  const auto& tmpl = std::get<AddressTemplate>(next);
  const std::optional<std::uint64_t> count = AddressCount(tmpl);
  if (!count || !list.canAppend(*count)) {
    QString why = QStringLiteral("実行は拒否されます: %1").arg(TooManyAddressesMessage());
    if (count) why += QStringLiteral("\n一覧の件数と合わせると上限を超えます。");
    return {QStringLiteral("次回 多すぎます / 一覧 %1 件").arg(listed), why};
  }
  CountTexts texts{QStringLiteral("次回 %1 件 / 一覧 %2 件").arg(number(*count), listed), {}};
  if (*count == 0) {
    texts.detail = QStringLiteral("次回の実行では何も追加されません。");
    return texts;
  }
  const AddressRun run(tmpl);
  if (*count == 1) {
    texts.detail = QStringLiteral("最初と最後: %1").arg(address(run.at(0)));
  } else {
    texts.detail = QStringLiteral("最初: %1\n最後: %2").arg(address(run.at(0)), address(run.at(*count - 1)));
  }
  return texts;
}

}  // namespace

void frmMain::buildCountLabel() {
  auto* label = new ElidedLabel(this);
  label->setObjectName(QStringLiteral("lblCount"));
  // Between "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ" and "終了": 5760 + 3240 twips ends 120 twips short of 終了.
  label->setGeometry(TwipsRect(5760, 2580, 3240, 255));
  label->setFont(cmdR->font());
  label->setFocusPolicy(Qt::NoFocus);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lblCount = label;
}

// Every edit that changes what the next run reads, and the run and the clear, refresh the label.
// These connections are made after the handlers', so the label sees each handler's final state.
void frmMain::connectCountUpdates() {
  const auto update = [this] { updateCount(); };
  for (const SegmentControls& s : segments_) {
    if (s.field) OnFieldTextChanged(s.field, this, update);
    if (s.check) connect(s.check, &QCheckBox::toggled, this, update);
    if (!s.counter) continue;
    for (QComboBox* combo : s.counter->combos) connect(combo, &QComboBox::editTextChanged, this, update);
    for (QRadioButton* option : s.counter->options) connect(option, &QRadioButton::toggled, this, update);
  }
  for (QPushButton* link : {Check1, Check2}) connect(link, &QPushButton::toggled, this, update);
  for (QPushButton* command : {cmdR, cmdClear}) connect(command, &QPushButton::clicked, this, update);
}

void frmMain::updateCount() {
  if (loading_) return;  // each handler of the start would write the label again
  const NextRunResult next = NextRunTemplate();
  const CountTexts texts = countTexts(next, List1->rows(), grouped);
  const QString full = texts.label + QLatin1Char('\n') + texts.detail;
  // Every digit where they fit; otherwise the label counts in units and the name keeps the digits.
  const bool fits = lblCount->fontMetrics().horizontalAdvance(texts.label) <= lblCount->contentsRect().width();
  lblCount->setText(fits ? texts.label : countTexts(next, List1->rows(), inUnits).label);
  // Qt announces every setting of a name, changed or not.
  if (lblCount->accessibleName() != texts.label) lblCount->setAccessibleName(texts.label);
  lblCount->setToolTip(full);
  lblCount->setAccessibleDescription(full);
  // "実行" says what it does and its key first, then what the next run would add.
  const QString run = QStringLiteral("一覧にアドレスを追加します (Enter)\n") + texts.detail;
  cmdR->setToolTip(run);
  cmdR->setAccessibleDescription(run);
}

}  // namespace serialix

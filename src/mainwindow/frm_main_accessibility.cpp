// What assistive technology reads of the window: one Japanese name and description per control,
// all in one table so that names stay short, consistent and unique. Captions such as "=", "/" or
// "削除" say too little on their own.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "mainwindow/frm_main.h"
#include "mainwindow/link_caption.h"
#include "platform/widgets/caption_toggle_accessible.h"
#include "platform/widgets/combo_box_accessible.h"
#include "platform/widgets/virtual_list_box.h"

namespace serialix {
namespace {

struct AccessibleText {
  QWidget* widget;
  QString name;
  QString description;
  bool tooltip = false;  // also shown as the tooltip: the control has a keyboard shortcut
};

void apply(const AccessibleText& text) {
  text.widget->setAccessibleName(text.name);
  text.widget->setAccessibleDescription(text.description);
  if (text.tooltip) text.widget->setToolTip(text.description);
}

QString counterName(const CounterControls& counter, const char* what) {
  return QStringLiteral("カウンター %1 %2").arg(QChar(counter.letter)).arg(QString::fromUtf8(what));
}

void nameCounter(const CounterControls& counter) {
  const QString letter = QString(QChar(counter.letter));
  apply({counter.combos[0], counterName(counter, "開始値"),
         QStringLiteral("カウンター %1 の最初の番号。数字だけを受け付けます").arg(letter)});
  apply({counter.combos[1], counterName(counter, "終了値"),
         QStringLiteral("カウンター %1 の最後の番号。数字だけを受け付けます").arg(letter)});
  const char* const styles[] = {"桁そろえなし (1)", "2 桁 (01)", "3 桁 (001)"};
  const char* const examples[] = {"1, 2, … と桁をそろえずに", "01, 02, … と 2 桁で", "001, 002, … と 3 桁で"};
  for (int i = 0; i < 3; ++i) {
    apply({counter.options[i], counterName(counter, styles[i]),
           QStringLiteral("カウンター %1 を %2数えます").arg(letter, QString::fromUtf8(examples[i]))});
  }
  apply({counter.frame, counterName(counter, "桁数"), QStringLiteral("カウンター %1 の桁のそろえ方").arg(letter)});
}

}  // namespace

void frmMain::nameControls() {
  const AccessibleText texts[] = {
      {lblA, QStringLiteral("先頭 http://"),
       QStringLiteral("すべてのアドレスの先頭。クリックするか Ctrl+Shift+H で http:// と https:// を切り替えます"),
       true},
      {cmbB, QStringLiteral("ホスト"), QStringLiteral("アドレスのホスト名。実行すると履歴に残ります")},
      {lblC, QStringLiteral("区切り C (/)"), QStringLiteral("ホストの後のスラッシュ")},
      {cmbD, QStringLiteral("文字 D"), QStringLiteral("a から z の 1 文字を選びます")},
      {lblE, QStringLiteral("区切り E (/)"), QStringLiteral("文字 D の後のスラッシュ")},
      {txtF, QStringLiteral("テキスト F"), QStringLiteral("カウンター G の前に入る自由なテキスト")},
      {lblH, QStringLiteral("区切り H (/)"), QStringLiteral("カウンター G の後のスラッシュ")},
      {txtI, QStringLiteral("テキスト I"), QStringLiteral("カウンター J の前に入る自由なテキスト")},
      {cmbK, QStringLiteral("記号 K"), QStringLiteral("カウンター J の後の記号。実行すると履歴に残ります")},
      {lblM, QStringLiteral("区切り M (.)"), QStringLiteral("拡張子の前のピリオド")},
      {cmbN, QStringLiteral("拡張子 N"), QStringLiteral("アドレスの最後の拡張子。実行すると履歴に残ります")},
      {Label1[0], QStringLiteral("カウンター G 範囲 (～)"), QStringLiteral("開始値から終了値まで")},
      {Label1[1], QStringLiteral("カウンター J 範囲 (～)"), QStringLiteral("開始値から終了値まで")},
      {Label1[2], QStringLiteral("カウンター L 範囲 (～)"), QStringLiteral("開始値から終了値まで")},
      {Frame4, QStringLiteral("適用／非適用"), QStringLiteral("アドレスに入れる部分を選びます")},
      {Check1, QStringLiteral("テキスト I を F に連動"),
       QStringLiteral("= のときテキスト I はテキスト F と同じになります。押すと連動と解除 (≠) を切り替えます")},
      {Check2, QStringLiteral("カウンター J を G に連動"),
       QStringLiteral(
           "= のときカウンター J はカウンター G と同じ値と桁数になります。押すと連動と解除 (≠) を切り替えます")},
      {cmdListC1, QStringLiteral("ホスト履歴から削除"), QStringLiteral("表示中のホストを履歴から消します")},
      {cmdListC2, QStringLiteral("記号履歴から削除"), QStringLiteral("表示中の記号を履歴から消します")},
      {cmdListC3, QStringLiteral("拡張子履歴から削除"), QStringLiteral("表示中の拡張子を履歴から消します")},
      // cmdR's description and tooltip carry the next run's count too; updateCount writes them.
      {cmdR, QStringLiteral("実行"), cmdR->accessibleDescription()},
      {cmdClear, QStringLiteral("リストクリア"), QStringLiteral("結果一覧を空にします (Ctrl+L)"), true},
      {cmdOut, QStringLiteral("書き出し"), QStringLiteral("結果一覧をファイルに書き出します (Ctrl+S)"), true},
      {cmdCrip, QStringLiteral("クリップボードにコピー"),
       QStringLiteral("結果一覧をすべてクリップボードにコピーします (Ctrl+Shift+C)"), true},
      {cmdEnd, QStringLiteral("終了"), QStringLiteral("履歴と位置を保存してプログラムを終了します")},
      {cmdHelp, QStringLiteral("ヘルプ"), QStringLiteral("バージョン情報を開きます (F1)"), true},
      {List1, QStringLiteral("結果一覧"), QStringLiteral("作成したアドレス")},
      {Image1, QStringLiteral("プログラムのロゴ"), QStringLiteral("飾りの画像です")},
  };
  for (const AccessibleText& text : texts) apply(text);
  for (const SegmentControls& s : segments_) {
    if (!s.check) continue;
    const QString segment = QStringLiteral("%1 %2").arg(SegmentRole(*s.segment), QChar(s.letter()));
    apply({s.check, segment + QStringLiteral(" を使う"),
           QStringLiteral("オフにすると%1 をアドレスに入れません").arg(segment)});
    // Twelve alike boxes under "適用／非適用": the tooltip names the segment, as the name does.
    s.check->setToolTip(s.check->accessibleName());
  }
  for (const CounterControls* counter : {&counterG_, &counterJ_, &counterL_}) nameCounter(*counter);
  // A link looks pressed while released; what it says is its caption.
  for (QPushButton* link : {Check1, Check2}) ReportCheckedWhileCaption(link, LinkCaption(true));
  // lblA is clicked like a check box: checked while it shows "https://".
  ReportCheckedWhileCaption(lblA, QString::fromUtf8(SchemeText(true)));
  // The line edit inside an editable combo takes the focus; it carries the combo's texts.
  for (QComboBox* combo : findChildren<QComboBox*>()) {
    if (QLineEdit* edit = combo->lineEdit()) {
      edit->setAccessibleName(combo->accessibleName());
      edit->setAccessibleDescription(combo->accessibleDescription());
    }
  }
  // The link lines stay nameless: they only draw what Check1 and Check2 already say.
}

}  // namespace serialix

#include "mainwindow/window_messages.h"

#include <QDir>
#include <QList>
#include <algorithm>

#include "export/list_export.h"
#include "export/list_text.h"
#include "platform/files/file_kind.h"
#include "platform/input/control_characters.h"
#include "settings/saved_templates.h"

namespace serialix {

QString CounterTextMessage(const CounterTextError& error) {
  return QStringLiteral("カウンター %1 の値「%2」は整数として読めません。")
      .arg(QChar(error.counter), QString::fromStdString(error.text));
}

QString SegmentTextMessage(const SegmentTextError& error) {
  return QStringLiteral("セグメント %1 の文字列に改行などの制御文字が含まれているため、一覧に追加できません。")
      .arg(QChar(error.segment));
}

QString TooManyAddressesMessage() {
  return QStringLiteral("アドレスの数が多すぎて一覧に追加できません。");
}

QString PastedTextTooLongMessage() {
  return QStringLiteral(
             "テキストが長すぎるため貼り付けませんでした（1 つの欄に %1 文字まで）。これより長いと表示に時間がかかり、"
             "その間ウィンドウが応答しなくなります。")
      .arg(kLongestEditedText);
}

QString ExampleAddressErrorMessage(ExampleAddressError error) {
  const QString expected =
      QStringLiteral("http:// または https:// で始まるアドレスを 1 つだけコピーしてから、もう一度お試しください。");
  switch (error) {
    case ExampleAddressError::Empty: return QStringLiteral("クリップボードにアドレスがありません。") + expected;
    case ExampleAddressError::SeveralLines: return QStringLiteral("クリップボードのテキストが複数行です。") + expected;
    case ExampleAddressError::NotHttp:
      return QStringLiteral("クリップボードのテキストが http:// または https:// で始まっていません。") + expected;
    case ExampleAddressError::NoHost: return QStringLiteral("アドレスに「://」の後のホスト名がありません。") + expected;
    case ExampleAddressError::Blank: return QStringLiteral("アドレスの途中に空白や制御文字があります。") + expected;
    case ExampleAddressError::NotUtf8:
      return QStringLiteral("クリップボードのテキストに UTF-8 として読めないバイトがあります。") + expected;
    case ExampleAddressError::TooLong:
      return QStringLiteral(
                 "クリップボードのテキストが長すぎます（%1 MiB まで）。ブラウザーが開けるアドレスは長くても 2 MiB "
                 "ほどです。")
          .arg(kLongestExampleAddress >> 20);
  }
  return expected;
}

namespace {

QString PatternRefusalReasonText(PatternRefusalReason reason) {
  using R = PatternRefusalReason;
  switch (reason) {
    case R::Unreadable: break;
    case R::NotHttp: return QStringLiteral("アドレスが http:// または https:// で始まっていません。");
    case R::List: return QStringLiteral("リスト {…} です（カウンターは数の範囲だけを表せます）。");
    case R::Letters: return QStringLiteral("文字の範囲です（カウンターは数だけを表せます）。");
    case R::Step: return QStringLiteral("増分のある範囲です（カウンターは 1 ずつ進みます）。");
    case R::Descending: return QStringLiteral("減っていく範囲です（カウンターは小さい数から大きい数へ進みます）。");
    case R::TooWide: return QStringLiteral("4 桁以上にゼロで埋める範囲です（カウンターの形式は 1、01、001 です）。");
    case R::TooLarge: return QStringLiteral("2147483647 を超える数です。");
    case R::Lockstep: return QStringLiteral("ほかの範囲といっしょに進む範囲（@名前）です。");
    case R::Repeat:
      return QStringLiteral("[#1] は、2 つ目のカウンター (J) の位置で最初の範囲を繰り返すときだけ使えます。");
    case R::TooMany: return QStringLiteral("4 つ目の範囲です（カウンターは G、J、L の 3 つです）。");
  }
  return {};
}

}  // namespace

QString PatternRefusalMessage(const PatternRefusal& refusal, const std::string& pattern) {
  // The column counts characters, as the user sees them in the field.
  const qsizetype column =
      QString::fromUtf8(pattern.data(), qsizetype(std::min(refusal.column - 1, pattern.size()))).toUcs4().size() + 1;
  if (refusal.reason == PatternRefusalReason::Unreadable) {
    return QStringLiteral(
               "パターンの %1 文字目が読めません（%2）。[ ] { } を文字として使うときは \\[ \\] \\{ \\} "
               "と書きます。")
        .arg(column)
        .arg(QString::fromStdString(refusal.detail));
  }
  const QString why = PatternRefusalReasonText(refusal.reason);
  const QString where = refusal.part.empty()
                            ? QStringLiteral("このパターンはテンプレートで表せません: ")
                            : QStringLiteral("パターンの %1 文字目の「%2」はテンプレートで表せません: ")
                                  .arg(column)
                                  .arg(QString::fromStdString(refusal.part));
  return where + why + QStringLiteral("\nこのパターンのアドレスは serialix-list で作れます。");
}

QString CounterNotInPatternMessage(char letter, const Counter& counter) {
  const QString range =
      QStringLiteral("カウンター %1 の範囲「%2～%3」").arg(QChar(letter)).arg(counter.from).arg(counter.to);
  if (counter.from < 0) return range + QStringLiteral("は負の数を含むため、パターンで表せません。");
  return range + QStringLiteral("は空で、実行しても何も追加されないため、パターンにできません。");
}

QString NotWebAddressMessage(const QString& address) {
  return QStringLiteral("「%1」はブラウザーで開けるアドレスではありません。").arg(address);
}

QString NoBrowserMessage(const QString& address) {
  return QStringLiteral("「%1」を開けませんでした。アドレスを開くブラウザーが見つかりません。").arg(address);
}

QString AddressTooLongForBrowserMessage(const QString& address) {
  return QStringLiteral("「%1」を開けませんでした。アドレスが長すぎて、システムがブラウザーに渡せません。")
      .arg(address);
}

QString BrowserNotStartedMessage(const QString& address, const QString& reason) {
  return QStringLiteral("「%1」を開けませんでした。ブラウザーを起動できません（%2）。").arg(address, reason);
}

QString OverwriteQuestion() {
  return QStringLiteral("上書保存してもいいの？");
}

QString UnencodableMessage(const UnencodableCharacter& found) {
  const QString character = QString::fromStdString(found.character);
  const QList<uint> codes = character.toUcs4();
  const QString code =
      codes.isEmpty() ? QString() : QStringLiteral("U+%1").arg(codes.front(), 4, 16, QLatin1Char('0')).toUpper();
  return QStringLiteral(
             "%1 行目の文字「%2」(%3) は Shift-JIS (CP932) で書き出せないため、"
             "何も書き出しませんでした。\n"
             "一覧の右クリックメニューの「UTF-8 で書き出し…」を使ってください。")
      .arg(QString::number(found.row + 1), character, code);
}

QString FileErrorReason(const std::error_code& error) {
  if (error.category() == FileKindCategory()) {
    switch (static_cast<FileKind>(error.value())) {
      case FileKind::Folder: return QStringLiteral("ﾌｫﾙﾀﾞｰです");
      case FileKind::BlockDevice: return QStringLiteral("ﾌﾞﾛｯｸﾃﾞﾊﾞｲｽです");
      case FileKind::Socket: return QStringLiteral("ｿｹｯﾄです");
      case FileKind::NamedPipe: return QStringLiteral("名前付きﾊﾟｲﾌﾟです");
      case FileKind::CharacterDevice: return QStringLiteral("ｷｬﾗｸﾀｰﾃﾞﾊﾞｲｽです");
      case FileKind::Other: break;
    }
    return QStringLiteral("通常のﾌｧｲﾙではありません");
  }
  return QString::fromLocal8Bit(error.message());
}

QString WriteFailedMessage(const QString& path, const std::error_code& error) {
  return QStringLiteral("ﾌｧｲﾙに書き出せませんでした。\n%1\n%2")
      .arg(QDir::toNativeSeparators(path), FileErrorReason(error));
}

QString ExportResultMessage(const ExportResult& result) {
  switch (result.outcome) {
    case WriteOutcome::Refused: return UnencodableMessage(result.unencodable);
    case WriteOutcome::Failed: return WriteFailedMessage(result.path, result.error);
    case WriteOutcome::Written:
    case WriteOutcome::Cancelled: break;
  }
  return {};
}

QString ClipboardTooLargeMessage() {
  return QStringLiteral("一覧が大きすぎてクリップボードにコピーできません（%1 MiB まで）。")
      .arg(ClipboardTextLimit() >> 20);
}

QString SysInfoUnavailableMessage() {
  return QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");
}

QString SettingsInUtf8Message(const QString& path) {
  return QStringLiteral(
             "設定ﾌｧｲﾙが UTF-8 で保存されています。\n%1\n設定ﾌｧｲﾙはｼﾌﾄJIS (ｺｰﾄﾞﾍﾟｰｼﾞ 932) "
             "として読むため、日本語などは正しく表示されないことがあります。変更しない履歴は元のﾊﾞｲﾄのまま"
             "保存されます。")
      .arg(path);
}

QString SettingsUnreadableMessage(const QString& path, const QString& reason) {
  return QStringLiteral("設定ﾌｧｲﾙを読み込めませんでした。\n%1\n%2\n今回の設定はこのﾌｧｲﾙに保存されません。")
      .arg(path, reason);
}

QString SettingsNotSavedMessage(const QString& path, const QString& reason) {
  return QStringLiteral("設定ﾌｧｲﾙに保存できませんでした。\n%1\n%2\n今回の履歴は保存されていません。").arg(path, reason);
}

QString TemplatesFileErrorReason(const SavedTemplatesError& error) {
  using Reason = SavedTemplatesError::Reason;
  const QString key = QString::fromStdString(error.key);
  QString what;
  switch (error.reason) {
    case Reason::NotUtf8: what = QStringLiteral("UTF-8 として読めないバイトがあります。"); break;
    case Reason::NotALine: what = QStringLiteral("「[名前]」の見出しでも「キー=値」の行でもありません。"); break;
    case Reason::OutsideSection: what = QStringLiteral("最初の「[名前]」より前に「キー=値」の行があります。"); break;
    case Reason::BadEscape:
      what = QStringLiteral("「\\」の後が「\\」でも「x」と 16 進数 2 桁 (00～7F) でもありません。");
      break;
    case Reason::EmptyName: what = QStringLiteral("テンプレートの名前が空です。"); break;
    case Reason::SameName: what = QStringLiteral("同じ名前のテンプレートが前にもあります。"); break;
    case Reason::SameKey: what = QStringLiteral("キー「%1」が 1 つのテンプレートに 2 回あります。").arg(key); break;
    case Reason::BadValue: what = QStringLiteral("キー「%1」の値として使えない値です。").arg(key); break;
  }
  return QStringLiteral("%1 行目: %2").arg(error.line).arg(what);
}

QString TemplatesUnreadableMessage(const QString& path, const QString& reason) {
  return QStringLiteral("テンプレートのファイルを読み込めませんでした。\n%1\n%2\nこのファイルは変更しません。")
      .arg(path, reason);
}

QString TemplateNotSavedMessage(const QString& path, const QString& reason) {
  return QStringLiteral(
             "テンプレートを保存できませんでした。\n%1\n%2\nファイルはそのままです。何も保存されていません。")
      .arg(path, reason);
}

QString TemplateNotDeletedMessage(const QString& path, const QString& reason) {
  return QStringLiteral("テンプレートを削除できませんでした。\n%1\n%2\nファイルはそのままです。").arg(path, reason);
}

QString ReplaceTemplateQuestion(const QString& name) {
  return QStringLiteral("テンプレート「%1」はすでにあります。置き換えますか?").arg(name);
}

QString DeleteTemplateQuestion(const QString& name) {
  return QStringLiteral("テンプレート「%1」を削除しますか?").arg(name);
}

}  // namespace serialix

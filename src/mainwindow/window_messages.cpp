#include "mainwindow/window_messages.h"

#include <QDir>
#include <QList>

#include "export/list_export.h"
#include "export/list_text.h"
#include "platform/files/file_kind.h"
#include "platform/input/control_characters.h"

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

}  // namespace serialix

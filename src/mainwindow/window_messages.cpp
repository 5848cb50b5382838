#include "mainwindow/window_messages.h"

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

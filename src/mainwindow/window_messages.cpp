#include "mainwindow/window_messages.h"

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

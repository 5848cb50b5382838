#include "mainwindow/next_run_messages.h"

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

}  // namespace serialix

#include "mainwindow/digit_run_model.h"

#include <QString>
#include <algorithm>

namespace serialix {
namespace {

QString RunText(const DigitRun& run, std::string_view runDigits, qsizetype column) {
  const QString digits = QString::fromLatin1(runDigits.data(), static_cast<qsizetype>(runDigits.size()));
  if (run.checkable) return QStringLiteral("%1（値 %2、%3 文字目）").arg(digits).arg(*run.value).arg(column);
  const QString why =
      run.value ? QStringLiteral("9 桁を超えるため選べません") : QStringLiteral("値が大きすぎるため選べません");
  return QStringLiteral("%1（%2 文字目、%3）").arg(digits).arg(column).arg(why);
}

}  // namespace

DigitRunModel::DigitRunModel(const ExampleAddress& example, QObject* parent)
    : QAbstractListModel(parent), example_(example), chosen_(example.defaultChoice) {
  // Columns count UTF-16 units, as the address field shows them: one for each UTF-8 lead byte,
  // two for the lead byte of a character beyond the basic plane. In an ASCII address the column
  // is the byte offset plus one and nothing is kept.
  const std::string& text = example_.text;
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return;
  columns_.reserve(example_.runs.size());
  std::uint32_t column = 1;
  std::size_t counted = 0;
  for (const DigitRun& run : example_.runs) {
    for (; counted < run.position; ++counted) {
      const auto byte = static_cast<unsigned char>(text[counted]);
      column += (byte & 0xC0) != 0x80;
      column += byte >= 0xF0;
    }
    columns_.push_back(column);
  }
}

int DigitRunModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  // Without runs, one row says so.
  return example_.runs.empty() ? 1 : static_cast<int>(example_.runs.size());
}

QVariant DigitRunModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (example_.runs.empty()) {
    if (role == Qt::DisplayRole) return QStringLiteral("ホストより後に数字がありません");
    if (role == Qt::AccessibleDescriptionRole) return QStringLiteral("カウンターにできる数字はありません");
    return {};
  }
  const auto row = static_cast<std::size_t>(index.row());
  const DigitRun& run = example_.runs[row];
  switch (role) {
    case Qt::DisplayRole:
      return RunText(run, example_.digits(run), columns_.empty() ? run.position + 1 : columns_[row]);
    case Qt::CheckStateRole:
      return std::find(chosen_.begin(), chosen_.end(), row) != chosen_.end() ? Qt::Checked : Qt::Unchecked;
    case Qt::AccessibleDescriptionRole:
      return run.checkable ? QStringLiteral("チェックするとカウンターになります")
                           : QStringLiteral("カウンターにできない数字です");
    default: return {};
  }
}

Qt::ItemFlags DigitRunModel::flags(const QModelIndex& index) const {
  if (!index.isValid() || example_.runs.empty()) return Qt::NoItemFlags;
  if (!example_.runs[static_cast<std::size_t>(index.row())].checkable) return Qt::ItemIsSelectable;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

bool DigitRunModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable)) return false;
  const auto row = static_cast<std::size_t>(index.row());
  const bool check = value.value<Qt::CheckState>() == Qt::Checked;
  const auto at = std::find(chosen_.begin(), chosen_.end(), row);
  if (check == (at != chosen_.end())) return true;
  if (check) {
    if (chosen_.size() >= kMaxChosenRuns) {
      emit tooManyChosen();
      return false;
    }
    chosen_.insert(std::upper_bound(chosen_.begin(), chosen_.end(), row), row);
  } else {
    chosen_.erase(at);
  }
  emit dataChanged(index, index, {Qt::CheckStateRole});
  emit choiceChanged();
  return true;
}

}  // namespace serialix

#include "mainwindow/example_address_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

#include "core/address_run.h"
#include "mainwindow/link_caption.h"
#include "mainwindow/segment_controls.h"
#include "platform/look/japanese_font.h"

namespace serialix {

namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

void Describe(QWidget* widget, const QString& name, const QString& description) {
  widget->setAccessibleName(name);
  widget->setAccessibleDescription(description);
}

QLabel* Caption(const QString& text, QWidget* buddy, const QString& description) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  Describe(label, text, description);
  return label;
}

QString StyleName(FillStyle style) {
  switch (style) {
    case FillStyle::Plain: return QStringLiteral("1");
    case FillStyle::TwoDigit: return QStringLiteral("01");
    case FillStyle::ThreeDigit: return QStringLiteral("001");
  }
  return {};
}

QString CounterText(const CounterSetting& counter) {
  return QStringLiteral("%1 ～ %2（%3 形式）")
      .arg(FromUtf8(counter.from), FromUtf8(counter.to), StyleName(counter.style));
}

// column: where the run starts, counted in characters from 1.
QString RunText(const DigitRun& run, qsizetype column) {
  const QString digits = FromUtf8(run.digits);
  if (run.checkable) return QStringLiteral("%1（値 %2、%3 文字目）").arg(digits).arg(*run.value).arg(column);
  const QString why =
      run.value ? QStringLiteral("9 桁を超えるため選べません") : QStringLiteral("値が大きすぎるため選べません");
  return QStringLiteral("%1（%2 文字目、%3）").arg(digits).arg(column).arg(why);
}

QString NoteText(const ProposalNote& note) {
  switch (note.kind) {
    case ProposalNote::Kind::SchemeReplaced:
      return QStringLiteral("「%1」は「http://」になります（アドレスの先頭は http:// に固定です）。")
          .arg(FromUtf8(note.text));
    case ProposalNote::Kind::PaddingLimited:
      return QStringLiteral("「%1」の先頭の「%2」は文字として残るため、桁がそろうのは %3 までです。")
          .arg(FromUtf8(note.text), FromUtf8(note.zeros))
          .arg(note.upTo);
  }
  return {};
}

std::string FirstAddressOf(const TemplateProposal& proposal) {
  const auto read = ReadTemplate(ProposedTemplateInput(proposal));
  if (const auto* tmpl = std::get_if<AddressTemplate>(&read)) return AddressRun(*tmpl).at(0);
  return {};
}

constexpr int kSegmentRows = static_cast<int>(kSegments.size());

}  // namespace

ExampleAddressDialog::ExampleAddressDialog(ExampleAddress example, QWidget* parent)
    : QDialog(parent), example_(std::move(example)) {
  setWindowTitle(QStringLiteral("例のアドレスから作成"));
  setModal(true);
  setFont(JapaneseUiFont(10));
  Describe(this, QStringLiteral("例のアドレスから作成"),
           QStringLiteral("アドレスの数字を選んで、その数字を変えていくテンプレートを作ります"));

  address_ = new QLineEdit(FromUtf8(example_.text));
  address_->setObjectName(QStringLiteral("exampleAddress"));
  address_->setReadOnly(true);
  address_->setCursorPosition(0);
  Describe(address_, QStringLiteral("アドレス"), QStringLiteral("クリップボードから読んだアドレス"));

  runs_ = new QListWidget;
  runs_->setObjectName(QStringLiteral("digitRuns"));
  Describe(
      runs_, QStringLiteral("数字"),
      QStringLiteral("ホストより後の数字。チェックした数字が左からカウンター G、J、L になります。3 つまで選べます"));
  // Columns counted run by run: a long pasted text with many runs is read once, not once a run.
  qsizetype column = 1;
  std::size_t counted = 0;
  for (const DigitRun& run : example_.runs) {
    column += QString::fromUtf8(example_.text.data() + counted, static_cast<qsizetype>(run.position - counted)).size();
    counted = run.position;
    auto* item = new QListWidgetItem(RunText(run, column), runs_);
    item->setCheckState(Qt::Unchecked);
    if (!run.checkable) item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable));
    item->setData(Qt::AccessibleDescriptionRole, run.checkable ? QStringLiteral("チェックするとカウンターになります")
                                                               : QStringLiteral("カウンターにできない数字です"));
  }
  for (std::size_t index : example_.defaultChoice) runs_->item(static_cast<int>(index))->setCheckState(Qt::Checked);
  if (example_.runs.empty()) {
    auto* item = new QListWidgetItem(QStringLiteral("ホストより後に数字がありません"), runs_);
    item->setFlags(Qt::NoItemFlags);
    item->setData(Qt::AccessibleDescriptionRole, QStringLiteral("カウンターにできる数字はありません"));
  }
  runs_->setMaximumHeight(runs_->fontMetrics().height() * 5);

  limitNote_ = new QLabel;
  limitNote_->setObjectName(QStringLiteral("runLimitNote"));
  limitNote_->setStyleSheet(QStringLiteral("color: #b00000;"));
  Describe(limitNote_, QStringLiteral("数字の選択についての注意"),
           QStringLiteral("選べる数字の数を超えたときに表示されます"));

  segments_ = new QTableWidget(kSegmentRows, 2);
  segments_->setObjectName(QStringLiteral("segments"));
  segments_->setHorizontalHeaderLabels({QStringLiteral("部分"), QStringLiteral("設定される内容")});
  segments_->verticalHeader()->hide();
  segments_->horizontalHeader()->setStretchLastSection(true);
  segments_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  segments_->setSelectionMode(QAbstractItemView::NoSelection);
  segments_->verticalHeader()->setDefaultSectionSize(segments_->fontMetrics().height() + 4);
  Describe(segments_, QStringLiteral("設定される部分"),
           QStringLiteral("A から N の 14 の部分と、それぞれに設定される内容"));
  for (int row = 0; row < kSegmentRows; ++row) {
    const Segment& segment = kSegments[static_cast<std::size_t>(row)];
    const QString what = segment.kind == SegmentKind::Fixed ? FixedText(segment) : SegmentRole(segment);
    segments_->setItem(row, 0, new QTableWidgetItem(QStringLiteral("%1 %2").arg(QChar(segment.letter), what)));
    segments_->setItem(row, 1, new QTableWidgetItem);
  }
  segments_->setColumnWidth(0, 110);
  // All fourteen rows in view, no scrolling.
  segments_->setMinimumHeight(segments_->verticalHeader()->defaultSectionSize() * kSegmentRows +
                              segments_->horizontalHeader()->sizeHint().height() + 2 * segments_->frameWidth());
  segments_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  links_ = new QLabel;
  links_->setObjectName(QStringLiteral("links"));
  Describe(links_, QStringLiteral("リンク"), QStringLiteral("F と I のリンク、G と J のリンクがどうなるか"));

  firstAddress_ = new QLineEdit;
  firstAddress_->setObjectName(QStringLiteral("firstAddress"));
  firstAddress_->setReadOnly(true);
  Describe(firstAddress_, QStringLiteral("最初のアドレス"),
           QStringLiteral("このテンプレートで実行したときに最初に作られるアドレス"));

  notes_ = new QLabel;
  notes_->setObjectName(QStringLiteral("notes"));
  notes_->setWordWrap(true);
  Describe(notes_, QStringLiteral("保てないもの"), QStringLiteral("例のアドレスのうち、テンプレートでは保てないもの"));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
  ok->setText(QStringLiteral("OK"));
  cancel->setText(QStringLiteral("キャンセル"));
  Describe(ok, QStringLiteral("OK"), QStringLiteral("この内容をメイン ウィンドウに設定します"));
  Describe(cancel, QStringLiteral("キャンセル"), QStringLiteral("何も変えずに閉じます"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Caption(QStringLiteral("アドレス(&A):"), address_, QStringLiteral("読み込んだアドレス")));
  layout->addWidget(address_);
  layout->addWidget(
      Caption(QStringLiteral("変える数字(&S)（3 つまで）:"), runs_, QStringLiteral("カウンターにする数字")));
  layout->addWidget(runs_);
  layout->addWidget(limitNote_);
  layout->addWidget(
      Caption(QStringLiteral("設定される部分(&P):"), segments_, QStringLiteral("メイン ウィンドウの 14 の部分")));
  layout->addWidget(segments_, 1);
  layout->addWidget(links_);
  layout->addWidget(
      Caption(QStringLiteral("最初のアドレス(&F):"), firstAddress_, QStringLiteral("実行したときの最初のアドレス")));
  layout->addWidget(firstAddress_);
  layout->addWidget(notes_);
  layout->addWidget(buttons);
  resize(580, sizeHint().height());

  connect(runs_, &QListWidget::itemChanged, this, &ExampleAddressDialog::runCheckChanged);
  runs_->setCurrentRow(example_.defaultChoice.empty() ? 0 : static_cast<int>(example_.defaultChoice.front()));
  runs_->setFocus();  // the choice is what the user came for; taken once the dialog is shown
  showProposal();
}

std::vector<std::size_t> ExampleAddressDialog::chosenRuns() const {
  std::vector<std::size_t> chosen;
  for (std::size_t i = 0; i < example_.runs.size(); ++i) {
    if (runs_->item(static_cast<int>(i))->checkState() == Qt::Checked) chosen.push_back(i);
  }
  return chosen;
}

TemplateProposal ExampleAddressDialog::proposal() const {
  return ProposeTemplate(example_, chosenRuns()).value_or(TemplateProposal{});
}

void ExampleAddressDialog::runCheckChanged(QListWidgetItem* item) {
  const auto index = static_cast<std::size_t>(runs_->row(item));
  if (item->checkState() == Qt::Checked) {
    if (index >= example_.runs.size() || !example_.runs[index].checkable) {
      item->setCheckState(Qt::Unchecked);
      return;
    }
    if (chosenRuns().size() > kMaxChosenRuns) {
      item->setCheckState(Qt::Unchecked);  // raises this handler again, unchecked: shows the proposal
      limitNote_->setText(
          QStringLiteral("選べる数字は 3 つまでです。ほかの数字のチェックを外してから選んでください。"));
      return;
    }
  }
  limitNote_->clear();
  showProposal();
}

void ExampleAddressDialog::showProposal() {
  const TemplateProposal p = proposal();
  const QColor offColor = palette().color(QPalette::Disabled, QPalette::Text);
  const QColor onColor = palette().color(QPalette::Active, QPalette::Text);
  for (int row = 0; row < kSegmentRows; ++row) {
    const Segment& segment = kSegments[static_cast<std::size_t>(row)];
    const bool on = p.on[segment.letter];
    QString text;  // a letter is never proposed: nothing to show
    if (segment.kind == SegmentKind::Fixed) text = FixedText(segment);
    if (segment.kind == SegmentKind::Text) text = FromUtf8(*p.text(segment.letter));
    if (segment.kind == SegmentKind::Counter) text = CounterText(*p.counter(segment.letter));
    QTableWidgetItem* item = segments_->item(row, 1);
    item->setText(on ? text : QStringLiteral("オフ"));
    item->setForeground(on ? onColor : offColor);
  }

  links_->setText(QStringLiteral("F と I のリンク: %1　　G と J のリンク: %2")
                      .arg(LinkCaption(p.textLink), LinkCaption(p.counterLink)));
  firstAddress_->setText(FromUtf8(FirstAddressOf(p)));
  firstAddress_->setCursorPosition(0);

  QStringList notes;
  for (const ProposalNote& note : p.notes) notes << NoteText(note);
  if (!p.on.G) notes << QStringLiteral("数字を選んでいないので、アドレスは 1 件だけになります。");
  notes_->setText(notes.isEmpty() ? QStringLiteral("保てないもの: なし（アドレスはそのまま保てます）")
                                  : QStringLiteral("保てないもの:\n・") + notes.join(QStringLiteral("\n・")));
}

std::optional<TemplateProposal> AskTemplateFromExample(const ExampleAddress& example, QWidget* parent) {
  ExampleAddressDialog dialog(example, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.proposal();
}

}  // namespace serialix

#include "mainwindow/example_address_dialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

#include "core/address_run.h"
#include "mainwindow/dialog_captions.h"
#include "mainwindow/digit_run_model.h"
#include "mainwindow/link_caption.h"
#include "mainwindow/segment_controls.h"
#include "platform/look/japanese_font.h"
#include "platform/services/message_box.h"

namespace serialix {

namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

constexpr std::size_t kLongestShown = 200;

// Laying out a text of hundreds of kilobytes takes seconds, again at every paint: what the dialog
// shows of a long address or segment is cut in the middle.
QString Shown(const std::string& text) {
  if (text.size() <= kLongestShown) return FromUtf8(text);
  return WithLongLinesElided(FromUtf8(text), kLongestShown);
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

QString NoteText(const ProposalNote& note) {
  switch (note.kind) {
    case ProposalNote::Kind::SchemeReplaced:
      return QStringLiteral("「%1」は小文字の「%2」になります。")
          .arg(FromUtf8(note.text), FromUtf8(note.text).toLower());
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

  address_ = new QLineEdit(Shown(example_.text));
  address_->setObjectName(QStringLiteral("exampleAddress"));
  address_->setReadOnly(true);
  address_->setCursorPosition(0);
  Describe(address_, QStringLiteral("アドレス"), QStringLiteral("クリップボードから読んだアドレス"));

  runModel_ = new DigitRunModel(example_, this);
  runs_ = new QListView;
  runs_->setObjectName(QStringLiteral("digitRuns"));
  runs_->setUniformItemSizes(true);
  runs_->setModel(runModel_);
  Describe(
      runs_, QStringLiteral("数字"),
      QStringLiteral("ホストより後の数字。チェックした数字が左からカウンター G、J、L になります。3 つまで選べます"));
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
    // A is "http://" or "https://" as proposed: its row is named by its place.
    const QString what = segment.letter == 'A'                ? QStringLiteral("先頭")
                         : segment.kind == SegmentKind::Fixed ? FixedText(segment)
                                                              : SegmentRole(segment);
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
  if (example_.text.size() <= kLongestShown) {
    layout->addWidget(address_);
  } else {
    // The field shows the address cut short; the whole of it is one click away.
    auto* copy = new QPushButton(QStringLiteral("全体をコピー(&C)"));
    copy->setObjectName(QStringLiteral("copyWholeAddress"));
    copy->setAutoDefault(false);
    Describe(copy, QStringLiteral("全体をコピー"),
             QStringLiteral("長いため途中を省略して表示しているアドレスの全体をクリップボードにコピーします"));
    connect(copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(FromUtf8(example_.text)); });
    auto* row = new QHBoxLayout;
    row->addWidget(address_, 1);
    row->addWidget(copy);
    layout->addLayout(row);
  }
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

  connect(runModel_, &DigitRunModel::choiceChanged, this, [this] {
    limitNote_->clear();
    showProposal();
  });
  connect(runModel_, &DigitRunModel::tooManyChosen, this, [this] {
    limitNote_->setText(QStringLiteral("選べる数字は 3 つまでです。ほかの数字のチェックを外してから選んでください。"));
  });
  const int current = example_.defaultChoice.empty() ? 0 : static_cast<int>(example_.defaultChoice.front());
  runs_->setCurrentIndex(runModel_->index(current));
  runs_->setFocus();  // the choice is what the user came for; taken once the dialog is shown
  showProposal();
}

// The run list reads example_, which goes before the dialog's children do.
ExampleAddressDialog::~ExampleAddressDialog() {
  delete runs_;
  delete runModel_;
}

std::vector<std::size_t> ExampleAddressDialog::chosenRuns() const {
  return runModel_->chosen();
}

TemplateProposal ExampleAddressDialog::proposal() const {
  return ProposeTemplate(example_, chosenRuns()).value_or(TemplateProposal{});
}

void ExampleAddressDialog::showProposal() {
  const TemplateProposal p = proposal();
  const QColor offColor = palette().color(QPalette::Disabled, QPalette::Text);
  const QColor onColor = palette().color(QPalette::Active, QPalette::Text);
  for (int row = 0; row < kSegmentRows; ++row) {
    const Segment& segment = kSegments[static_cast<std::size_t>(row)];
    const bool on = p.on[segment.letter];
    QString text;  // a letter is never proposed: nothing to show
    if (segment.kind == SegmentKind::Fixed)
      text = segment.letter == 'A' ? FromUtf8(std::string(SchemeText(p.https))) : FixedText(segment);
    if (segment.kind == SegmentKind::Text) text = Shown(*p.text(segment.letter));
    if (segment.kind == SegmentKind::Counter) text = CounterText(*p.counter(segment.letter));
    QTableWidgetItem* item = segments_->item(row, 1);
    item->setText(on ? text : QStringLiteral("オフ"));
    item->setForeground(on ? onColor : offColor);
  }

  links_->setText(QStringLiteral("F と I のリンク: %1　　G と J のリンク: %2")
                      .arg(LinkCaption(p.textLink), LinkCaption(p.counterLink)));
  firstAddress_->setText(Shown(FirstAddressOf(p)));
  firstAddress_->setCursorPosition(0);

  QStringList notes;
  for (const ProposalNote& note : p.notes) notes << NoteText(note);
  if (!p.on.G) notes << QStringLiteral("数字を選んでいないので、アドレスは 1 件だけになります。");
  notes_->setText(notes.isEmpty() ? QStringLiteral("保てないもの: なし（アドレスはそのまま保てます）")
                                  : QStringLiteral("保てないもの:\n・") + notes.join(QStringLiteral("\n・")));
}

std::optional<TemplateProposal> AskTemplateFromExample(ExampleAddress example, QWidget* parent) {
  ExampleAddressDialog dialog(std::move(example), parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.proposal();
}

}  // namespace serialix

#include "tools/FormStatistics.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "core/CodePage.h"
#include "core/Document.h"
#include "core/TextFormat.h"
#include "tools/ByteBarChart.h"
#include "tools/StatisticsCommands.h"

namespace quoxa {

namespace {

// Sorts by the number behind the text, not by the text.
class NumberItem : public QTableWidgetItem {
 public:
  NumberItem(const QString& text, double key) : QTableWidgetItem(text) {
    setData(Qt::UserRole, key);
    setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
  }
};

QString ByteHex(int v) { return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper(); }

QString CharacterOf(int v) {
  const char32_t code = ByteToUnicode(static_cast<uint8_t>(v));
  if (IsControlCode(code) || code == 0xA0 || code == 0xAD) return {};
  return QString::fromStdString(CodePointToUtf8(code));
}

QString Grouped(uint64_t n) { return QString::fromStdString(FormatThousands(static_cast<int64_t>(n))); }

}  // namespace

TFormStatistics::TFormStatistics(QWidget* parent) : QDialog(parent) {
  setObjectName("FormStatistics");
  setWindowTitle(QStringLiteral("Statistics"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  // Esc, Close and the window manager all end in finished: the window goes with it.
  connect(this, &QDialog::finished, this, &QObject::deleteLater);

  auto* rangeBox = new QGroupBox(QStringLiteral("Count"), this);
  wholeFile_ = new QRadioButton(QStringLiteral("Whole &file"), rangeBox);
  wholeFile_->setObjectName("RadioButtonFile");
  block_ = new QRadioButton(QStringLiteral("&Block"), rangeBox);
  block_->setObjectName("RadioButtonBlock");
  auto* rangeRow = new QHBoxLayout(rangeBox);
  rangeRow->addWidget(wholeFile_);
  rangeRow->addWidget(block_);
  rangeRow->addStretch(1);

  table_ = new QTableWidget(256, 4, this);
  table_->setObjectName("TableCounts");
  table_->setHorizontalHeaderLabels(
      {QStringLiteral("Value"), QStringLiteral("Char"), QStringLiteral("Count"), QStringLiteral("Percent")});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setTabKeyNavigation(false);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->setMinimumWidth(table_->fontMetrics().horizontalAdvance(QStringLiteral("Value Char 000,000,000,000 100.000%")) + 60);

  chart_ = new TByteBarChart(this);
  logarithmic_ = new QCheckBox(QStringLiteral("&Logarithmic scale"), this);
  logarithmic_->setObjectName("CheckBoxLog");
  connect(logarithmic_, &QCheckBox::toggled, chart_, &TByteBarChart::SetLogarithmic);

  range_ = new QLabel(this);
  entropy_ = new QLabel(this);
  distinct_ = new QLabel(this);
  most_ = new QLabel(this);
  least_ = new QLabel(this);
  range_->setObjectName("LabelRange");
  for (QLabel* label : {entropy_, distinct_, most_, least_}) label->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* refresh = new QPushButton(QStringLiteral("&Refresh"), this);
  refresh->setObjectName("ButtonRefresh");
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName("ButtonClose");
  close->setDefault(true);
  connect(refresh, &QPushButton::clicked, this, &TFormStatistics::Refresh);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  connect(wholeFile_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Refresh();
  });
  connect(block_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Refresh();
  });

  auto* facts = new QVBoxLayout;
  for (QLabel* label : {range_, entropy_, distinct_, most_, least_}) facts->addWidget(label);
  auto* right = new QVBoxLayout;
  right->addWidget(rangeBox);
  right->addLayout(facts);
  right->addWidget(chart_, 1);
  right->addWidget(logarithmic_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(refresh);
  buttons->addWidget(close);
  right->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(table_);
  layout->addLayout(right, 1);

  // The table on the left comes first, then the controls on the right from top to bottom.
  setTabOrder(table_, wholeFile_);
  setTabOrder(wholeFile_, block_);
  setTabOrder(block_, logarithmic_);
  setTabOrder(logarithmic_, refresh);
  setTabOrder(refresh, close);
  table_->setFocus();

  const bool marked = StatisticsDocument().BlockBegin != 0 && StatisticsDocument().BlockEnd != 0;
  (marked ? block_ : wholeFile_)->setChecked(true);
  resize(900, 560);
}

bool TFormStatistics::Refresh() {
  const TDocument& doc = StatisticsDocument();
  const bool marked = doc.BlockBegin != 0 && doc.BlockEnd != 0;
  block_->setEnabled(marked);
  if (!marked && block_->isChecked()) {
    const QSignalBlocker quiet(wholeFile_);
    wholeFile_->setChecked(true);
  }
  const bool whole = wholeFile_->isChecked();
  const int64_t first = whole ? 1 : doc.BlockBegin;
  const int64_t last = whole ? doc.DocSize : doc.BlockEnd;
  ByteCounts counts;
  if (!CountDocumentBytes(doc, first, last, counts)) return false;
  const QString range =
      last < first ? QStringLiteral("No bytes")
                   : QStringLiteral("%1 bytes, addresses %2 to %3")
                         .arg(Grouped(static_cast<uint64_t>(last - first + 1)),
                              QString::fromStdString(FormatHex(doc.DisplayAddress(first))),
                              QString::fromStdString(FormatHex(doc.DisplayAddress(last))));
  ShowCounts(counts, range);
  return true;
}

void TFormStatistics::ShowCounts(const ByteCounts& counts, const QString& range) {
  const ByteSummary s = Summarize(counts);
  range_->setText(range);
  entropy_->setText(QStringLiteral("Entropy: %1 bits per byte").arg(s.entropy, 0, 'f', 4));
  distinct_->setText(QStringLiteral("Distinct values: %1").arg(s.distinct));
  auto extreme = [](const char* what, int value, uint64_t count) {
    if (value < 0) return QStringLiteral("%1: none").arg(QLatin1String(what));
    return QStringLiteral("%1: %2 (count %3)").arg(QLatin1String(what), ByteHex(value), Grouped(count));
  };
  most_->setText(extreme("Most frequent", s.mostValue, s.mostCount));
  least_->setText(extreme("Least frequent", s.leastValue, s.leastCount));

  table_->setSortingEnabled(false);
  for (int v = 0; v < 256; ++v) {
    const uint64_t c = counts[v];
    const double percent = s.total > 0 ? 100.0 * static_cast<double>(c) / static_cast<double>(s.total) : 0;
    table_->setItem(v, 0, new NumberItem(ByteHex(v), v));
    auto* character = new QTableWidgetItem(CharacterOf(v));
    character->setTextAlignment(Qt::AlignCenter);
    table_->setItem(v, 1, character);
    table_->setItem(v, 2, new NumberItem(Grouped(c), static_cast<double>(c)));
    table_->setItem(v, 3, new NumberItem(QString::number(percent, 'f', 3), percent));
  }
  table_->setSortingEnabled(true);
  // Ascending by value until the user picks another column or order.
  if (table_->horizontalHeader()->sortIndicatorSection() == 0 && !sorted_) {
    table_->sortByColumn(0, Qt::AscendingOrder);
    sorted_ = true;
  }
  chart_->SetCounts(counts);
}

QString TFormStatistics::SummaryText() const {
  return QStringList{range_->text(), entropy_->text(), distinct_->text(), most_->text(), least_->text()}.join('\n');
}

}  // namespace quoxa

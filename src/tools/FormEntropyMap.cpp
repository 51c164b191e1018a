#include "tools/FormEntropyMap.h"

#include <QBuffer>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Document.h"
#include "core/FileIo.h"
#include "core/AtomicFileWriter.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/TextFormat.h"
#include "settings/Options.h"
#include "tools/EntropyPlot.h"
#include "tools/StatisticsCommands.h"
#include "widgets/FileDialogs.h"

namespace quoxa {

namespace {

constexpr int kSmallestWindowShift = 6;  // 64 bytes
constexpr int kLargestWindowShift = 26;  // 64 MiB

QString SizeText(int64_t bytes) {
  if (bytes >= (int64_t{1} << 20)) return QStringLiteral("%1 MiB").arg(bytes >> 20);
  if (bytes >= 1024) return QStringLiteral("%1 KiB").arg(bytes >> 10);
  return QStringLiteral("%1 bytes").arg(bytes);
}

int WriteBytes(const std::string& path, const QByteArray& bytes) {
  return WriteFileSafely(path, reinterpret_cast<const uint8_t*>(bytes.constData()), bytes.size());
}

}  // namespace

TFormEntropyMap::TFormEntropyMap(QWidget* parent) : QDialog(parent) {
  setObjectName("FormEntropyMap");
  setWindowTitle(QStringLiteral("Entropy map"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  // Esc, Close and the window manager all end in finished: the window goes with it.
  connect(this, &QDialog::finished, this, &QObject::deleteLater);

  plot_ = new TEntropyPlot(this);
  connect(plot_, &TEntropyPlot::PositionClicked, this, &TFormEntropyMap::GoTo);

  auto* windowLabel = new QLabel(QStringLiteral("&Window:"), this);
  window_ = new QComboBox(this);
  window_->setObjectName("ComboBoxWindow");
  window_->addItem(QStringLiteral("Automatic"), qlonglong{0});
  for (int shift = kSmallestWindowShift; shift <= kLargestWindowShift; ++shift) {
    window_->addItem(SizeText(int64_t{1} << shift), qlonglong{int64_t{1} << shift});
  }
  windowLabel->setBuddy(window_);
  connect(window_, &QComboBox::activated, this, [this] { Refresh(); });
  info_ = new QLabel(this);
  info_->setObjectName("LabelInfo");

  auto* refresh = new QPushButton(QStringLiteral("&Refresh"), this);
  refresh->setObjectName("ButtonRefresh");
  auto* png = new QPushButton(QStringLiteral("Save as &PNG..."), this);
  png->setObjectName("ButtonSavePng");
  auto* csv = new QPushButton(QStringLiteral("Save as &CSV..."), this);
  csv->setObjectName("ButtonSaveCsv");
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName("ButtonClose");
  close->setDefault(true);
  connect(refresh, &QPushButton::clicked, this, &TFormEntropyMap::Refresh);
  connect(png, &QPushButton::clicked, this, [this] { AskAndSave(true); });
  connect(csv, &QPushButton::clicked, this, [this] { AskAndSave(false); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  auto* top = new QHBoxLayout;
  top->addWidget(windowLabel);
  top->addWidget(window_);
  top->addSpacing(12);
  top->addWidget(info_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(refresh);
  buttons->addStretch(1);
  buttons->addWidget(png);
  buttons->addWidget(csv);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(plot_, 1);
  layout->addLayout(buttons);
  resize(860, 400);
  Refresh();
}

int64_t TFormEntropyMap::ChosenWindow() const { return window_->currentData().toLongLong(); }

bool TFormEntropyMap::Refresh() {
  const TDocument& doc = StatisticsDocument();
  int64_t window = ChosenWindow();
  // Too many points for the file: the smallest window that fits takes the choice's place.
  if (window > 0) {
    while (window < (int64_t{1} << kLargestWindowShift) && doc.DocSize / window >= kMaxEntropyPoints) window *= 2;
    window_->setCurrentIndex(std::max(0, window_->findData(qlonglong{window})));
  }
  EntropyMap map;
  if (!MeasureEntropyMap(doc, window, map)) return false;
  map_ = std::move(map);
  plot_->SetMap(map_, doc.BaseAddress);
  info_->setText(QStringLiteral("%1 bytes per window, %2 points. Click on the plot to go to that address.")
                     .arg(QString::fromStdString(FormatThousands(map_.window)))
                     .arg(QString::fromStdString(FormatThousands(static_cast<int64_t>(map_.values.size())))));
  FollowView();
  return true;
}

void TFormEntropyMap::FollowView() {
  const TDocument& doc = StatisticsDocument();
  if (!doc.ViewReady || doc.DocSize <= 0) {
    plot_->SetViewMark(0, 0);
    return;
  }
  plot_->SetViewMark(doc.TopAddress, std::min(doc.DocSize, doc.TopAddress + doc.PageSize - 1));
}

void TFormEntropyMap::GoTo(int64_t position) {
  const TDocument& doc = StatisticsDocument();
  // The file may have shrunk or closed since the map was measured.
  if (!doc.ViewReady || doc.DocSize <= 0) return;
  GotoAddress(std::min(position, doc.DocSize), true, false);
  FollowView();
}

bool TFormEntropyMap::SavePng(const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  plot_->grab().toImage().save(&buffer, "PNG");
  const int result = WriteBytes(path, bytes);
  if (result != 0 && result != kWriteDeclined) ShowError(WriteErrorText(result, path));
  return result == 0;
}

bool TFormEntropyMap::SaveCsv(const std::string& path) {
  const std::string text = EntropyMapCsv(map_, StatisticsDocument().BaseAddress);
  const int result = WriteBytes(path, QByteArray::fromStdString(text));
  if (result != 0 && result != kWriteDeclined) ShowError(WriteErrorText(result, path));
  return result == 0;
}

void TFormEntropyMap::AskAndSave(bool png) {
  FileDialogRequest request;
  request.save = true;
  request.title = png ? "Save entropy map as PNG" : "Save entropy map as CSV";
  request.favoritesSection = "Favorites";
  request.filter = png ? "*.png" : "*.csv";
  request.startDir = Options().CurrentDir;
  const FileDialogResult answer = ExecFileDialog(this, request);
  if (!answer.ok) return;
  png ? SavePng(answer.path) : SaveCsv(answer.path);
}

}  // namespace quoxa

#include "edit/QtClipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "edit/ClipboardCommands.h"
#include "edit/ClipboardFormat.h"

namespace quoxa {

namespace {

const QString kPrivateMime = QString::fromLatin1(kPrivateMimeType);
const QString kTextMime = QStringLiteral("text/plain");

}  // namespace

TQtClipboard::TQtClipboard(QObject* parent) : QObject(parent), clipboard_(QGuiApplication::clipboard()) {
  if (clipboard_ != nullptr) {
    connect(clipboard_, &QClipboard::dataChanged, this, [] { UpdatePasteCommands(); });
  }
  InstallClipboard(this);
}

TQtClipboard::~TQtClipboard() {
  if (InstalledClipboard() == this) InstallClipboard(nullptr);
}

bool TQtClipboard::Available() const { return clipboard_ != nullptr; }

bool TQtClipboard::Has(ClipFormat format) const {
  const QMimeData* mime = clipboard_ != nullptr ? clipboard_->mimeData() : nullptr;
  if (mime == nullptr) return false;
  return format == ClipFormat::Private ? mime->hasFormat(kPrivateMime) : mime->hasText();
}

bool TQtClipboard::Read(ClipFormat format, std::string& data) const {
  const QMimeData* mime = clipboard_ != nullptr ? clipboard_->mimeData() : nullptr;
  if (mime == nullptr) return false;
  if (format == ClipFormat::Private) {
    if (!mime->hasFormat(kPrivateMime)) return false;
    const QByteArray bytes = mime->data(kPrivateMime);
    data.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    return true;
  }
  if (!mime->hasText()) return false;
  data = mime->text().toStdString();
  return true;
}

bool TQtClipboard::Write(ClipFormat format, std::string_view data) {
  if (clipboard_ == nullptr) return false;
  auto* mime = new QMimeData;
  // Text stays bytes (a hex string is ASCII): no detour through a 16-bit string.
  mime->setData(format == ClipFormat::Private ? kPrivateMime : kTextMime,
                QByteArray(data.data(), static_cast<qsizetype>(data.size())));
  clipboard_->setMimeData(mime);
  return true;
}

bool TQtClipboard::Owned() const { return clipboard_ != nullptr && clipboard_->ownsClipboard(); }

void TQtClipboard::Clear() {
  if (clipboard_ != nullptr) clipboard_->clear();
}

}  // namespace quoxa

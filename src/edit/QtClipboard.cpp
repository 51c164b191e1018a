#include "edit/QtClipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstring>

#include "core/RecordMemory.h"
#include "edit/ClipboardCommands.h"
#include "edit/ClipboardFormat.h"
#include "edit/X11Selection.h"

namespace quoxa {

namespace {

const QString kPrivateMime = QString::fromLatin1(kPrivateMimeType);
const QString kTextMime = QStringLiteral("text/plain");

// A view of a byte array that keeps it (and so the bytes) alive.
TClipData Shared(QByteArray bytes) {
  auto holder = std::make_shared<const QByteArray>(std::move(bytes));
  return {holder, std::string_view(holder->constData(), static_cast<size_t>(holder->size()))};
}

TClipData Shared(std::string bytes) {
  auto holder = std::make_shared<const std::string>(std::move(bytes));
  return {holder, *holder};
}

}  // namespace

TQtClipboard::TQtClipboard(QObject* parent) : QObject(parent), clipboard_(QGuiApplication::clipboard()) {
  if (clipboard_ != nullptr) {
    connect(clipboard_, &QClipboard::dataChanged, this, [this] {
      if (!writing_) written_.reset();
      UpdatePasteCommands();
    });
  }
  InstallClipboard(this);
}

TQtClipboard::~TQtClipboard() {
  if (InstalledClipboard() == this) InstallClipboard(nullptr);
}

bool TQtClipboard::Available() const { return clipboard_ != nullptr; }

const QMimeData* TQtClipboard::Mime() const {
  return clipboard_ != nullptr ? clipboard_->mimeData() : nullptr;
}

bool TQtClipboard::Has(ClipFormat format) const {
  const QMimeData* mime = Mime();
  if (mime == nullptr) return false;
  switch (format) {
    case ClipFormat::Private:
      return mime->hasFormat(kPrivateMime);
    case ClipFormat::Text:
      return mime->hasText() && (Owned() ? written_ == ClipFormat::Text : X11OffersEightBitText());
    case ClipFormat::Unicode:
      return mime->hasText();
  }
  return false;
}

bool TQtClipboard::Read(ClipFormat format, TClipData& data) const {
  const QMimeData* mime = Mime();
  if (mime == nullptr) return false;
  switch (format) {
    case ClipFormat::Private:
      if (!mime->hasFormat(kPrivateMime)) return false;
      // Shares the clipboard's buffer: no copy of a block that may be gigabytes.
      data = Shared(mime->data(kPrivateMime));
      return true;
    case ClipFormat::Text: {
      if (!mime->hasText()) return false;
      if (Owned()) {
        // Ours as we wrote it, shared; text set in this process otherwise (a QString) is Unicode.
        if (written_ != ClipFormat::Text) return false;
        data = Shared(mime->data(kTextMime));
        return true;
      }
      std::optional<std::string> bytes = ReadX11EightBitText();
      if (!bytes) return false;
      data = Shared(std::move(*bytes));
      return true;
    }
    case ClipFormat::Unicode:
      if (!mime->hasText()) return false;
      data = Shared(mime->text().toUtf8());
      return true;
  }
  return false;
}

bool TQtClipboard::Write(ClipFormat format, std::initializer_list<std::string_view> parts) {
  if (clipboard_ == nullptr || format == ClipFormat::Unicode) return false;
  size_t size = 0;
  for (std::string_view part : parts) size += part.size();
  // The one copy of the data: straight into the buffer the clipboard keeps. Text stays bytes
  // (a hex string is ASCII): no detour through a 16-bit string.
  QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
  AdviseHugePages(bytes.data(), size);
  char* out = bytes.data();
  for (std::string_view part : parts) {
    if (!part.empty()) std::memcpy(out, part.data(), part.size());
    out += part.size();
  }
  auto* mime = new QMimeData;
  mime->setData(format == ClipFormat::Private ? kPrivateMime : kTextMime, bytes);
  writing_ = true;
  clipboard_->setMimeData(mime);
  writing_ = false;
  written_ = format;
  return true;
}

bool TQtClipboard::Owned() const { return clipboard_ != nullptr && clipboard_->ownsClipboard(); }

void TQtClipboard::Clear() {
  if (clipboard_ != nullptr) clipboard_->clear();
}

}  // namespace quoxa

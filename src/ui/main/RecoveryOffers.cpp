#include "ui/main/RecoveryOffers.h"

#include <filesystem>

#include "core/FileIo.h"
#include "core/FileTexts.h"
#include "core/Messages.h"
#include "core/PlatformFile.h"
#include "core/TextFormat.h"

namespace quoxa {

bool IsBackupOf(const TRecoveryRecord& record, const std::string& path) {
  if (record.kind != RecoveryKind::Backup) return false;
  // The same file under another name (a link, another mount of it) is the same file.
  const std::optional<TFileState> now = FileStateOf(path);
  if (now && record.targetState) return now->id == record.targetState->id;
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(ResolveLinks(path), ec);
  return !ec && absolute.lexically_normal().string() == record.target;
}

bool TRecoveryOffers::BeforeOpening(const std::string& path) {
  for (const TRecoveryRecord& record : PendingRecoveries()) {
    if (IsBackupOf(record, path) && !Offer(record, nullptr)) return false;
  }
  return true;
}

void TRecoveryOffers::OfferAll(const UnsavedLoader& loadUnsaved) {
  for (const TRecoveryRecord& record : PendingRecoveries()) {
    if (asked_.count(record.path) == 0) Offer(record, loadUnsaved);
  }
}

bool TRecoveryOffers::Offer(const TRecoveryRecord& record, const UnsavedLoader& loadUnsaved) {
  asked_.insert(record.path);
  const bool backup = record.kind == RecoveryKind::Backup;
  switch (
      AskYesNoCancel(FormatMsgS(backup ? msg::kRestoreBackup : msg::kOpenUnsaved, record.target))) {
    case mrYes:
      if (backup) {
        const int result = RestoreBackup(record);
        if (result != 0) {
          ShowError(
              WriteErrorText(result == kUnmappedIoError ? kIoWriteFault : result, record.target));
          return false;
        }
      } else if (!loadUnsaved || !loadUnsaved(record)) {
        return false;
      }
      DropRecovery(record);
      return true;
    case mrNo:
      DropRecovery(record);
      return true;
    default:
      return false;
  }
}

}  // namespace quoxa

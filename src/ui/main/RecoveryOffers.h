#pragma once
// Offers what earlier runs left behind (RecoveryStore.h): the backup of a file whose save was
// interrupted, when that file is opened and at the start; unsaved changes kept when the program
// had to end, at the start. Each is asked about once a run.

#include <functional>
#include <set>
#include <string>

#include "core/RecoveryStore.h"

namespace quoxa {

class TRecoveryOffers {
 public:
  // Opens the kept copy of unsaved changes as the document; true when it did.
  using UnsavedLoader = std::function<bool(const TRecoveryRecord&)>;

  // Before the file at path is read: the backups interrupted saves of it left. False when the
  // file is not to be opened now (the user decides later, or restoring it failed).
  bool BeforeOpening(const std::string& path);
  // Everything not asked about in this run, oldest first.
  void OfferAll(const UnsavedLoader& loadUnsaved);

 private:
  // Asks about one record and does what the answer says; false after Cancel or a failure.
  bool Offer(const TRecoveryRecord& record, const UnsavedLoader& loadUnsaved);

  std::set<std::string> asked_;
};

// True when the record is the backup of the file at path.
bool IsBackupOf(const TRecoveryRecord& record, const std::string& path);

}  // namespace quoxa

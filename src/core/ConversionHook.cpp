#include "core/ConversionHook.h"

namespace quoxa {

namespace {

// The identity table: converting changes nothing, and there is no reader for table files.
class IdentityTables final : public IConversionTables {
 public:
  void ResetConversionTable() override {}
  bool LoadConversionTable(const std::string&) override { return false; }
  ConversionRun ApplyConversion(int32_t) override { return {}; }
};

IdentityTables identity;
IConversionTables* installed = &identity;

}  // namespace

void InstallConversionTables(IConversionTables* tables) { installed = tables != nullptr ? tables : &identity; }

IConversionTables& ConversionTables() { return *installed; }

}  // namespace quoxa

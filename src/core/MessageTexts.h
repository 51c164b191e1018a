#pragma once
// Texts shown by more than one command, so each exists once.

namespace quoxa::msg {

inline constexpr const char* kNoMemory = "Can't allocate additional memory\nto perform operation";
inline constexpr const char* kOverwriteBeyondEnd = "Can't overwrite beyond end of file";
inline constexpr const char* kBlockNoLongerValid = "Block no longer valid";
inline constexpr const char* kAllocatingMemory = "Allocating memory";
inline constexpr const char* kReleasingMemory = "Releasing memory";
inline constexpr const char* kAllocFailed = "Error allocating memory.\nProgram terminated.";
inline constexpr const char* kDeallocFailed = "Error deallocating memory.\nProgram terminated.";
inline constexpr const char* kBusyDelete = "Delete...";
inline constexpr const char* kBusyInsert = "Insert...";
inline constexpr const char* kHexStringInvalid = "Hex string invalid";
inline constexpr const char* kMemoryInfo = "Current file size: %.0n bytes\nMemory allocated: %.0n bytes";

}  // namespace quoxa::msg

#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string_view>

#include "run/writer_slots.hpp"

namespace korvanta {

// Writes one whole file (the run's atomic write, or a stand-in in the tests).
using StoreFileWriter = std::function<void(const std::filesystem::path&, std::string_view)>;

// How long a run waits for another run to finish with the plan store.
inline constexpr std::chrono::milliseconds kStoreLockWait = std::chrono::seconds(10);

// Files the plan text into the plan store "FPLS.DAT" of `folder`. Without a
// store the plan becomes the store. Otherwise the store is first copied to
// "FPLS.BAK" (keeping its date), then the merged store replaces "FPLS.DAT"
// whole; a failure at any point leaves "FPLS.DAT" as it was. All of it runs
// under an exclusive lock on "FPLS.DAT.lock" beside the store, so a run that
// files its plan at the same time merges into the store this one left;
// after `lock_wait` the run ends with RunError naming the store.
void FileIntoPlanStore(const std::filesystem::path& folder, std::string_view plan_text,
                       const StoreFileWriter& write,
                       std::chrono::milliseconds lock_wait = kStoreLockWait);

// The Tu-154 writer of a run: the plan-number check (a number outside 1-25
// is this target's failure), the navigation data, "FPLS.TXT" and the plan store.
SlotStep RunTu154Slot(SlotContext& ctx, const TargetDescriptor& slot);

}  // namespace korvanta

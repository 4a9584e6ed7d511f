#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace korvanta {

// Writes one whole file (the run's atomic write, or a stand-in in the tests).
using StoreFileWriter = std::function<void(const std::filesystem::path&, std::string_view)>;
// Puts a plan into a store's old text.
using StoreMerge = std::function<std::string(std::string_view old_store, std::string_view plan)>;

// How long a run waits for another run to finish with a plan store.
inline constexpr std::chrono::milliseconds kStoreLockWait = std::chrono::seconds(10);

// Files `plan` into the plan store `store` (a file that holds the plans of
// earlier runs). Without a store the plan becomes the store. Otherwise the
// store is first copied to its backup (the same name with extension ".BAK",
// keeping its date), then the merged store replaces the store whole; a
// failure at any point leaves the store as it was. All of it runs under an
// exclusive lock on the store's name + ".lock" beside it, so a run that files
// its plan at the same time merges into the store this one left; after
// `lock_wait` it ends with RunError naming the store.
void FileIntoPlanStore(const std::filesystem::path& store, std::string_view plan,
                       const StoreMerge& merge, const StoreFileWriter& write,
                       std::chrono::milliseconds lock_wait = kStoreLockWait);

// How the message of a store that stayed locked names the wait: "1 second",
// "10 seconds"; a wait that is no whole number of seconds in milliseconds.
std::string LockWaitText(std::chrono::milliseconds wait);

}  // namespace korvanta

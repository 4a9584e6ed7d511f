#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

#include "app/writer_slots.hpp"

namespace korvanta {

// Writes one whole file (the run's atomic write, or a stand-in in the tests).
using StoreFileWriter = std::function<void(const std::filesystem::path&, std::string_view)>;

// Files the plan text into the plan store "FPLS.DAT" of `folder`. Without a
// store the plan becomes the store. Otherwise the store is first copied to
// "FPLS.BAK" (keeping its date), then the merged store replaces "FPLS.DAT"
// whole; a failure at any point leaves "FPLS.DAT" as it was.
void FileTu154Plan(const std::filesystem::path& folder, std::string_view plan_text,
                   const StoreFileWriter& write);

// The Tu-154 writer of a run: the plan-number check (a number above 25 stops
// the run), the navigation data, "FPLS.TXT" and the plan store.
SlotStep RunTu154Slot(SlotContext& ctx, const WriterSlot& slot);

}  // namespace korvanta

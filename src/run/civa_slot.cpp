#include "run/civa_slot.hpp"

#include <algorithm>

#include "files/safe_file_name.hpp"
#include "io/utf8_path.hpp"
#include "writers/civa.hpp"

namespace korvanta {

namespace {

// A card's name with its card number and extension as the kept end: the
// digits before the last "." and what follows.
std::filesystem::path CardFileName(std::string_view name) {
  std::size_t end = std::min(name.rfind('.'), name.size());
  while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9')
    --end;
  return SafeFileName(name.substr(0, end), name.substr(end));
}

}  // namespace

SlotStep RunCivaSlot(SlotContext& ctx, const TargetDescriptor& slot) {
  const std::filesystem::path folder = ctx.TargetFolder(slot.folder);
  const std::vector<CivaCard> cards = WriteCivaCards(ctx.Header(), ctx.Waypoints());
  for (const CivaCard& card : cards)
    ctx.Write(folder / CardFileName(card.file_name), card.text);
  ctx.Status("File " + ShownPath(CardFileName(cards.back().file_name)) + " created");
  return SlotStep::kContinue;
}

}  // namespace korvanta

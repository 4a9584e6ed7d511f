#include "app/civa_slot.hpp"

#include "app/file_output.hpp"
#include "route/utf8_path.hpp"
#include "writers/civa.hpp"

namespace korvanta {

SlotStep RunCivaSlot(SlotContext& ctx, const WriterSlot& slot) {
  const std::filesystem::path folder = ctx.TargetFolder(slot.folder);
  if (!ctx.Parse(slot.mode))
    return SlotStep::kContinue;
  const std::vector<CivaCard> cards = WriteCivaCards(ctx.Header(), ctx.Rm());
  for (const CivaCard& card : cards)
    ctx.Write(folder / SafeFileName(card.file_name), card.text);
  ctx.Status("File " + ShownPath(SafeFileName(cards.back().file_name)) + " created");
  return SlotStep::kContinue;
}

}  // namespace korvanta

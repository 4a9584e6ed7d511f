#include "run/plan_isg_kml_slot.hpp"

#include <fmt/format.h>

#include <system_error>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "files/safe_file_name.hpp"
#include "io/utf8_path.hpp"
#include "text/cp1252.hpp"
#include "text/text.hpp"
#include "writers/fs2004.hpp"
#include "writers/fsx.hpp"
#include "writers/kml.hpp"

namespace korvanta {

namespace {

// ASCII letters only, whatever the user's locale: the name keeps every other
// letter as it is.
std::string Lower(std::string text) {
  for (char& c : text)
    c = AsciiLower(c);
  return text;
}

}  // namespace

SlotStep RunPlanIsgAndKmlSlot(SlotContext& ctx, const TargetDescriptor& /*slot*/) {
  const FolderSet& folders = ctx.Folders();
  const std::filesystem::path isg_folder = ctx.simulator_dir / "isg" / "FlightPlans";
  std::error_code ec;
  const bool isg = std::filesystem::is_directory(isg_folder, ec);

  const RouteHeader& h = ctx.Header();
  const RunChoices& choices = ctx.choices;

  const Fs2004Plan plan = WriteFs2004Plan(h, ctx.Waypoints(), choices.runway);
  // The FS2004 plan file is Windows-1252; the FSX and Google Earth files are
  // made from the UTF-8 plan text and keep every character.
  const std::string plan_file = Utf8ToCp1252(plan.plan_text);
  const std::filesystem::path plan_text_file =
      choices.super80 ? ctx.plan_folder /
                            SafeFileName(Lower(h.departure_name) + "-" + Lower(h.destination_name),
                                         fmt::format("-{}.pln", choices.plan_number))
                      : folders.app_dir / "temp.tmp";
  // Every file the user loads is reported; "temp.tmp" is the program's own.
  const auto write_reported = [&](const std::filesystem::path& file, std::string_view bytes,
                                  bool create_folders) {
    ctx.Write(file, bytes, create_folders);
    ctx.Status("File " + ShownPath(file) + " created");
  };
  const auto plan_files = [&] {
    if (choices.super80)
      write_reported(plan_text_file, plan_file, false);
    else
      ctx.Write(plan_text_file, plan_file);
    if (isg)
      write_reported(isg_folder / "default.rte", plan.isg_route, false);

    const std::filesystem::path plan_name =
        SafeFileName("IFR " + h.departure_name + " to " + h.destination_name, ".pln");
    if (choices.Ticked(Target::kFs2004) && choices.simulator == Simulator::kFsx) {
      if (!folders.fsx_plan_folder_found) {
        throw RunError("FSX plan folder not found: " + ShownPath(folders.fsx_plan_folder));
      }
      write_reported(ctx.plan_folder / plan_name, WriteFsxPlan(plan.plan_text), false);
    } else if (choices.Ticked(Target::kFs2004)) {
      // The copy is made from this run's plan text, whichever file holds it.
      write_reported(ctx.plan_folder / plan_name, plan_file, true);
    }
  };
  const auto kml_file = [&] {
    // Google Earth opens a file of any name.
    const std::filesystem::path kml =
        folders.documents_dir /
        SafeFileName(h.departure_name + "-" + h.destination_name, ".kml", NameCharacters::kUnicode);
    write_reported(kml, WriteGoogleEarthKml(plan.plan_text, h.departure_name, h.destination_name),
                   false);
    ctx.Front().OpenDocument(kml);
  };

  // The two targets stand on their own; the plan text file serves both.
  const std::string kml_caption =
      CaptionUnder(DescriptorOf(Target::kGoogleEarth), choices.simulator);
  if (choices.Ticked(Target::kFs2004)) {
    ctx.Attempt(CaptionUnder(DescriptorOf(Target::kFs2004), choices.simulator), plan_files);
    if (choices.Ticked(Target::kGoogleEarth))
      ctx.Attempt(kml_caption, kml_file);
  } else {
    ctx.Attempt(kml_caption, [&] {
      plan_files();
      kml_file();
    });
  }
  return SlotStep::kContinue;
}

}  // namespace korvanta

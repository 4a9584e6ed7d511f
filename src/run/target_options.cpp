#include "run/target_options.hpp"

#include <charconv>

#include "writers/airac_cycle.hpp"

namespace korvanta {

namespace {

std::vector<OptionDescriptor> BuildOptions() {
  std::vector<OptionDescriptor> options;
  options.push_back({
      .name = "runway",
      .help = "the departing runway",
      .refusal =
          [](const std::string& runway) {
            // The runway is written into one line of the FS2004 and PMDG
            // plans; a line end in it would split that line and break the plan.
            return runway.find_first_of("\r\n") == std::string::npos
                       ? std::string()
                       : std::string("the runway must be one line of text");
          },
      .read_by = {Target::kFs2004, Target::kFsx, Target::kGoogleEarth, Target::kPmdg,
                  Target::kXPlane11, Target::kMsfs},
      .set = [](RunChoices& choices, std::string_view text) { choices.runway = text; },
  });
  options.push_back({
      .name = "cycle",
      .help = "the AIRAC cycle YYCC of the xplane11 plan (default: the cycle in force today)",
      .value_name = "YYCC",
      .refusal =
          [](const std::string& text) {
            return IsAiracCycle(text) ? std::string() : "not an AIRAC cycle YYCC: " + text;
          },
      .read_by = {Target::kXPlane11},
      .set = [](RunChoices& choices, std::string_view text) { choices.cycle = text; },
  });
  options.push_back({
      .name = "super80",
      .help = "Flight1 Super 80 naming of the FS2004 plan (fs9 with fs2004 only)",
      .kind = OptionKind::kSwitch,
      // The Super 80 plan takes the FS2004 plan text's place, which the Google
      // Earth file is made from too.
      .read_by = {Target::kFs2004, Target::kGoogleEarth},
      .set = [](RunChoices& choices, std::string_view text) { choices.super80 = text == "1"; },
  });
  options.push_back({
      .name = "plan-number",
      .help = "the plan number of the Super 80 and Tu-154 plans (default 1; the Tu-154 store "
              "holds 1 to 25)",
      .kind = OptionKind::kNumber,
      .value_name = "NUMBER",
      .minimum = 1,
      .maximum = 99999,
      .default_text = "1",
      .refusal =
          [](const std::string& text) {
            // Decimal digits only: "0x10" or "1e2" is no plan number.
            return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos
                       ? std::string()
                       : "not a plan number: " + text;
          },
      .read_by = {Target::kFs2004, Target::kGoogleEarth, Target::kTu154},
      .set =
          [](RunChoices& choices, std::string_view text) {
            std::from_chars(text.data(), text.data() + text.size(), choices.plan_number);
          },
  });
  return options;
}

}  // namespace

std::span<const OptionDescriptor> TargetOptions() {
  static const std::vector<OptionDescriptor> options = BuildOptions();
  return options;
}

const OptionDescriptor* OptionByName(std::string_view name) {
  for (const OptionDescriptor& option : TargetOptions()) {
    if (option.name == name)
      return &option;
  }
  return nullptr;
}

void SetOption(RunChoices& choices, std::string_view name, std::string_view text) {
  if (const OptionDescriptor* option = OptionByName(name))
    option->set(choices, text);
}

}  // namespace korvanta

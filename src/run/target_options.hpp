#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "run/run_choices.hpp"
#include "run/targets.hpp"

namespace korvanta {

// What an option's value is.
enum class OptionKind {
  kSwitch,  // on or off: the command line's flag, the window's tick box
  kNumber,  // a whole number within the option's range
  kText,
};

// One option that some rows read, as one row: the command line builds its
// flag and checks from it, and the windows bind their fixed controls to it
// by name.
struct OptionDescriptor {
  std::string_view name;  // korvanta-cli's flag without "--"
  std::string_view help;  // the command line's help text
  OptionKind kind = OptionKind::kText;
  std::string_view value_name{};  // the value's name in the help ("NUMBER", "YYCC"); empty: none
  int minimum = 0;                // kNumber: the range
  int maximum = 0;
  std::string_view default_text{};  // the value when the command line does not name it
  // Why a text is no value of the option (the command line's message);
  // empty when it is one. Unset: every text is.
  std::function<std::string(const std::string&)> refusal{};
  std::vector<Target> read_by;  // the rows that read the option
  // Sets the option's value in the choices from its text ("1" or "" for a switch).
  std::function<void(RunChoices&, std::string_view)> set{};
};

// Every option, in the command line's order.
std::span<const OptionDescriptor> TargetOptions();
const OptionDescriptor* OptionByName(std::string_view name);

// Sets the named option of the table in the choices.
void SetOption(RunChoices& choices, std::string_view name, std::string_view text);

}  // namespace korvanta

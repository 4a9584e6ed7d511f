#include "cli/command_line.hpp"

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

#include "cli/convert_command.hpp"
#include "cli/exit_codes.hpp"
#include "cli/folder_options.hpp"
#include "cli/map_command.hpp"
#include "cli/navdata_command.hpp"
#include "cli/parse_command.hpp"
#include "cli/route_string_command.hpp"
#include "readers/reader_table.hpp"

namespace korvanta::cli {

int RunCommandLine(int argc, char** argv, const std::filesystem::path& executable) {
  CLI::App app{
      "korvanta-cli: turns an online route finder's text result (the block that begins "
      "\"Computed route from\"), or a flight plan that another program wrote (" +
      PlanKindsHelp() + "), into flight-simulator plan files."};
  app.require_subcommand(1);
  // The version CMake's project() names; a package test reads it back from
  // the installed program.
  app.set_version_flag("--version", std::string("korvanta-cli ") + KORVANTA_VERSION);
  // Options are --name on every platform: an argument starting with "/" is a
  // path (a Linux path handed to the Windows program), never a Windows-style
  // option. The subcommands take this setting from here.
  app.allow_windows_style_options(false);

  std::vector<std::function<int()>> commands;
  commands.push_back(AddParseCommand(app, executable));
  commands.push_back(AddConvertCommand(app, executable));
  commands.push_back(AddRouteStringCommand(app, executable));
  commands.push_back(AddFoldersCommand(app, executable));
  commands.push_back(AddNavdataCommand(app, executable));
  commands.push_back(AddMapCommand(app, executable));

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForVersion& version) {
    return app.exit(version);
  } catch (const CLI::ParseError& error) {
    app.exit(error);
    return kExitUsage;
  }
  for (const auto& command : commands) {
    if (const int status = command(); status >= 0)
      return status;
  }
  return kExitUsage;
}

}  // namespace korvanta::cli

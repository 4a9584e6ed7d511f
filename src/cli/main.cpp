#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

#include "cli/convert_command.hpp"
#include "cli/exit_codes.hpp"
#include "cli/parse_command.hpp"

int main(int argc, char** argv) {
  CLI::App app{
      "korvanta-cli: turns an online route finder's text result (the block that begins "
      "\"Computed route from\") into flight-simulator plan files."};
  app.require_subcommand(1);
  // The version CMake's project() names; a package test reads it back from
  // the installed program.
  app.set_version_flag("--version", std::string("korvanta-cli ") + KORVANTA_VERSION);

  std::vector<std::function<int()>> commands;
  commands.push_back(korvanta::cli::AddParseCommand(app));
  commands.push_back(korvanta::cli::AddConvertCommand(app, argv[0]));

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return korvanta::cli::kExitUsage;
  }
  for (const auto& command : commands) {
    if (const int status = command(); status >= 0)
      return status;
  }
  return korvanta::cli::kExitUsage;
}

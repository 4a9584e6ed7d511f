#pragma once

#include <filesystem>

namespace korvanta {

// The platform's part in choosing the program's own folder (settings file,
// state store, "temp.tmp", "route.txt").

// Whether the program can create files in `folder`. A folder under
// "Program Files" is not writable for a normal user even when its
// attributes say so, so Windows tries it.
bool CanCreateFilesIn(const std::filesystem::path& folder);

// The per-user data folder for the program's files ($XDG_DATA_HOME/korvanta,
// %LOCALAPPDATA%\Korvanta); not created here.
std::filesystem::path UserDataFolder();

// Windows only: the running program's own file, however it was started (the
// window and the command line look for their folder beside it).
std::filesystem::path RunningProgramFile();

}  // namespace korvanta

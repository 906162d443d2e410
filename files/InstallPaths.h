#pragma once
// Where the programs find their parts. Installed under a prefix P, the
// programs stand in P/bin, the rendering program in P/lib/chess-vorlix and the
// read-only data (default diagram, sounds) in P/share/chess-vorlix; run from
// the build tree, all of it stands beside the program. Everything is found
// from the program's own folder, so that any prefix works.
#include <string>
#include <vector>

namespace vorlix {

// The folder of the running program's file, without a trailing slash.
std::string RunningProgramFolder();

// The install prefix of a program in programFolder (P for P/bin or
// P/lib/chess-vorlix), or an empty string when the folder is neither.
std::string InstallPrefixOf(const std::string& programFolder);

// The folders where XDG looks for data: XDG_DATA_HOME, then XDG_DATA_DIRS,
// with their documented defaults.
std::vector<std::string> XdgDataFolders();

// The folder of the read-only data, without a trailing slash: the program's
// own folder when the default diagram stands beside it (the build tree), else
// the install's share folder, else the first "chess-vorlix" folder among
// dataFolders that holds it; an empty string when none has it.
std::string FindDataFolder(const std::string& programFolder, const std::vector<std::string>& dataFolders);

// The helper program `name` for a program in programFolder: beside it (the
// build tree) or in the install's folder of helper programs, whichever has
// it; when neither has it, the place where it belongs, so that the failure to
// start it names that place.
std::string FindHelperProgram(const std::string& programFolder, const std::string& name);

}  // namespace vorlix

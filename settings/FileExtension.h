#pragma once
// The extension rule of every save command.
#include <QString>
#include <string>

namespace vorlix {

// Returns fileName ending in the wanted extension (given as ".GIF", "gif", ...):
// unchanged when it already has it in any letter case, else with the extension
// appended in lower case (Board.txt -> Board.txt.gif, "Board." -> Board.gif).
std::string ForceExtension(const std::string& fileName, const std::string& extension);
QString ForceExtension(const QString& fileName, const QString& extension);

}  // namespace vorlix

#include "settings/FileExtension.h"

#include <algorithm>
#include <cctype>

namespace vorlix {
namespace {

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// From the last dot of the name itself on (a dot in a folder name does not count).
std::string ExtensionOf(const std::string& fileName) {
    const auto slash = fileName.find_last_of('/');
    const auto dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return fileName.substr(dot);
}

}  // namespace

std::string ForceExtension(const std::string& fileName, const std::string& extension) {
    const std::string current = Upper(ExtensionOf(fileName));
    const std::string wanted = Upper(!extension.empty() && extension[0] == '.' ? extension : "." + extension);
    if (current == wanted) return fileName;
    return fileName + (current == "." ? "" : ".") + Lower(wanted.substr(1));
}

QString ForceExtension(const QString& fileName, const QString& extension) {
    return QString::fromStdString(ForceExtension(fileName.toStdString(), extension.toStdString()));
}

}  // namespace vorlix

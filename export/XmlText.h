#pragma once
// Text put into SVG and HTML documents: markup characters escaped, and the
// characters XML does not allow left out, so that a header, tag or comment
// that holds one still gives a well-formed document.
#include <QString>
#include <string>

namespace vorlix {

void AppendXmlEscaped(std::string& out, const QString& text);
std::string XmlEscaped(const QString& text);

}  // namespace vorlix

#include "export/XmlText.h"

namespace vorlix {

namespace {

// Control characters other than tab and line ends, U+FFFE, U+FFFF and
// unpaired surrogates are not XML characters.
QString XmlCharacters(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            kept += text[i];
            kept += text[++i];
            continue;
        }
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0xFFFE || u == 0xFFFF || QChar::isSurrogate(u))
            continue;
        kept += text[i];
    }
    return kept;
}

}  // namespace

void AppendXmlEscaped(std::string& out, const QString& text) {
    for (const char c : XmlCharacters(text).toStdString()) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
}

std::string XmlEscaped(const QString& text) {
    std::string out;
    AppendXmlEscaped(out, text);
    return out;
}

}  // namespace vorlix

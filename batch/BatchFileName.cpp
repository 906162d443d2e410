#include "batch/BatchFileName.h"

#include "files/TextEncoding.h"

namespace vorlix {
namespace {

constexpr char16_t kByteEscape = 0xDC00;

bool IsContinuation(std::string_view b, size_t i, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return i < b.size() && static_cast<unsigned char>(b[i]) >= low && static_cast<unsigned char>(b[i]) <= high;
}

// The length of the valid UTF-8 sequence at b[i], 0 when there is none.
size_t Utf8Length(std::string_view b, size_t i) {
    const unsigned char c = static_cast<unsigned char>(b[i]);
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return IsContinuation(b, i + 1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        const unsigned char low = c == 0xE0 ? 0xA0 : 0x80, high = c == 0xED ? 0x9F : 0xBF;
        return IsContinuation(b, i + 1, low, high) && IsContinuation(b, i + 2) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const unsigned char low = c == 0xF0 ? 0x90 : 0x80, high = c == 0xF4 ? 0x8F : 0xBF;
        return IsContinuation(b, i + 1, low, high) && IsContinuation(b, i + 2) && IsContinuation(b, i + 3) ? 4 : 0;
    }
    return 0;
}

bool IsEscapedByte(const QString& name, qsizetype i) {
    const char16_t c = name[i].unicode();
    return c >= kByteEscape + 0x80 && c <= kByteEscape + 0xFF && (i == 0 || !name[i - 1].isHighSurrogate());
}

constexpr int kEpdWidth = 3;
constexpr int kWideBlock = 500, kWideWidth = 5;
constexpr int kFixedImageBlock = 10, kFixedImageWidth = 4;
constexpr int kOverflowWidth = 3;

QString Padded(long long number, int width) { return QString::number(number).rightJustified(width, QLatin1Char('0')); }

}  // namespace

QString NameOfLocalFile(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString name;
    for (size_t i = 0; i < bytes.size();) {
        if (const size_t n = Utf8Length(bytes, i)) {
            name += QString::fromUtf8(bytes.data() + i, static_cast<qsizetype>(n));
            i += n;
        } else {
            name += QChar(static_cast<char16_t>(kByteEscape + static_cast<unsigned char>(bytes[i++])));
        }
    }
    return name;
}

std::string LocalFileName(const QString& name) {
    std::string bytes;
    qsizetype run = 0;  // where the text not yet converted starts
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!IsEscapedByte(name, i)) continue;
        bytes += QStringView(name).mid(run, i - run).toUtf8().toStdString();
        bytes += static_cast<char>(name[i].unicode() - kByteEscape);
        run = i + 1;
    }
    return bytes + QStringView(name).mid(run).toUtf8().toStdString();
}

TChosenName SplitChosenName(const QString& fileName, bool upperCaseExtension) {
    TChosenName name;
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    name.Path = fileName.left(slash + 1);
    const QString file = fileName.mid(slash + 1);
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    name.Extension = dot >= 0 ? file.mid(dot) : QString();
    if (upperCaseExtension) name.Extension = name.Extension.toUpper();
    name.Stem = file.left(file.size() - name.Extension.size());
    return name;
}

QString BatchFileName(const QString& path, const QString& stem, long long number, int width, const QString& extension) {
    return path + stem + Padded(number, width) + extension;
}

QString BatchFileName(const TChosenName& name, long long number, int width) {
    return BatchFileName(name.Path, name.Stem, number, width, name.Extension);
}

QString PgnBatchFileName(const TChosenName& name, TPositionMode mode, bool imageFiles, int game, int position) {
    const bool narrow = mode == TPositionMode::Fixed && imageFiles;
    const int block = narrow ? kFixedImageBlock : kWideBlock;
    const int width = narrow ? kFixedImageWidth : kWideWidth;
    const long long first = static_cast<long long>(game - 1) * block;
    if (position <= block) return BatchFileName(name, first + position, width);
    return name.Path + name.Stem + Padded(first + block, width) + QLatin1Char('_') +
           Padded(position - block, kOverflowWidth) + name.Extension;
}

QString EpdBatchFileName(const TChosenName& name, int n) { return BatchFileName(name, n, kEpdWidth); }

}  // namespace vorlix

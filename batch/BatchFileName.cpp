#include "batch/BatchFileName.h"

namespace vorlix {
namespace {

constexpr int kEpdWidth = 3;
constexpr int kWideBlock = 500, kWideWidth = 5;
constexpr int kFixedImageBlock = 10, kFixedImageWidth = 4;
constexpr int kOverflowWidth = 3;

QString Padded(long long number, int width) { return QString::number(number).rightJustified(width, QLatin1Char('0')); }

}  // namespace

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

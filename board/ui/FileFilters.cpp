#include "board/ui/FileFilters.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace vorlix {

namespace {

// The rule Qt's file dialogs split a name filter by: label, then the patterns
// of the last parenthesised group, separated by blanks.
const QRegularExpression& NameFilterRule() {
    static const QRegularExpression rule(
        QStringLiteral("^(.*)\\(([a-zA-Z0-9_.,*? +;#\\-\\[\\]@\\{\\}/!<>\\$%&=^~:\\|]*)\\)$"));
    return rule;
}

}  // namespace

QStringList NameFiltersFromPairs(const QString& pairs) {
    const QStringList parts = pairs.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        }
        filters << parts[i].trimmed() + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

QString LabelOfNameFilter(const QString& nameFilter) {
    const QRegularExpressionMatch match = NameFilterRule().match(nameFilter);
    return match.hasMatch() ? match.captured(1).simplified() : nameFilter;
}

QStringList PatternsOfNameFilter(const QString& nameFilter) {
    const QRegularExpressionMatch match = NameFilterRule().match(nameFilter);
    const QString patterns = match.hasMatch() ? match.captured(2) : nameFilter;
    return patterns.split(' ', Qt::SkipEmptyParts);
}

void SetFileDialogFilters(QFileDialog& dialog, const QString& pairs) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setNameFilters(NameFiltersFromPairs(pairs));
}

QString ChooseFileToOpen(QWidget* parent, const QString& caption, const QString& folder, const QString& pairs) {
    QFileDialog dialog(parent, caption, folder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    SetFileDialogFilters(dialog, pairs);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace vorlix

#include "app/FileFilter.h"

namespace vrnnec {

namespace filefilter {

QStringList nameFilters(const QString& pairs)
{
    QStringList filters;
    const QStringList parts = pairs.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        const QString patternText = patterns.join(QLatin1Char(' '));
        if (description.endsWith(QLatin1Char(')'))
            && description.endsWith(QLatin1Char('(') + patternText + QLatin1Char(')')))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + patternText + QLatin1Char(')');
    }
    return filters;
}

QString plainSuffix(const QString& suffix)
{
    QString plain = suffix.trimmed();
    if (plain.startsWith(QLatin1Char('*')))
        plain.remove(0, 1);
    if (plain.startsWith(QLatin1Char('.')))
        plain.remove(0, 1);
    return plain;
}

} // namespace filefilter

} // namespace vrnnec

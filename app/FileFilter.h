// File dialog filters: "Description|pattern|..." pairs to Qt's name filters.
#pragma once

#include <QString>
#include <QStringList>

namespace vrnnec {

namespace filefilter {

// "VORNA files|*.vrn" -> {"VORNA files (*.vrn)"}. A description that already ends
// with its patterns in parentheses is kept as it is; several patterns of one pair
// ("*.wcf;*.nec") are listed with blanks. A trailing description without a pattern is
// dropped.
QStringList nameFilters(const QString& pairs);

// The default suffix without "*." or "." ("*.bmp" -> "bmp").
QString plainSuffix(const QString& suffix);

} // namespace filefilter

} // namespace vrnnec

#include "app/LocaleNumbers.h"

#include "common/NumberText.h"

#include <QLocale>

namespace vrnnec {

namespace localenum {

char decimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 0x80)
        return static_cast<char>(point.at(0).unicode());
    return '.';
}

QString general(double value)
{
    return QString::fromStdString(numtext::withSeparator(numtext::general(value), decimalSeparator()));
}

bool readReal(const QString& text, double& value)
{
    return numtext::parseRealWithSeparator(text.toStdString(), decimalSeparator(), value);
}

double FieldReader::operator()(const QString& text)
{
    double value = 0;
    if (refusal.isEmpty() && !readReal(text, value))
        refusal = QString::fromStdString(numtext::invalidFloatMessage(text.toStdString()));
    return value;
}

} // namespace localenum

} // namespace vrnnec

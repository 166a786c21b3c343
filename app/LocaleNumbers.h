// Numbers as the user sees and types them: the decimal separator of the default
// QLocale.
#pragma once

#include <QString>

#include <string>

namespace vrnnec {

namespace localenum {

// The default locale's decimal separator; the point when it is not a single ASCII
// character.
char decimalSeparator();

// Shortest general text with the user's separator (7.5 -> "7,5" in a comma locale).
QString general(double value);

// Reads a real number typed with the user's separator; false when it does not convert.
bool readReal(const QString& text, double& value);

// Reads real numbers from field texts in turn (readReal); the first text that does not
// convert gives `refusal`, the conversion message, and the later ones are not looked at
// (they read as 0).
struct FieldReader {
    QString refusal;
    double operator()(const QString& text);
};

} // namespace localenum

} // namespace vrnnec

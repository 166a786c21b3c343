// Every message box and file dialog of the program goes through this interface, so
// that tests can answer them from a script.
//
// Filters are written as pairs "Description|pattern|Description|pattern", patterns of
// one pair separated by ';'. Folders are absolute paths; an empty folder means the
// process's current directory.
#pragma once

#include <QString>

namespace vrnnec {

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A modal message with an OK button.
    virtual void showMessage(const QString& text) = 0;

    // The chosen file, or an empty text when the user cancels.
    virtual QString openFileName(const QString& title, const QString& filter, const QString& folder) = 0;
    // The chosen file, or an empty text when the user cancels. `defaultSuffix` ("csv",
    // "*.bmp") is added to a name typed without one.
    virtual QString saveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                                 const QString& folder, const QString& proposedName) = 0;

    enum class Buttons { YesNo, YesNoCancel, OkCancel };
    enum class Style { Confirmation, Warning };
    enum class Answer { Yes, No, Ok, Cancel };

    // A modal question; closing the box without a choice answers Cancel (or No when
    // there is no Cancel button).
    virtual Answer ask(const QString& text, Buttons buttons, Style style) = 0;

    // Shows the file in the program the desktop has registered for it; false when none
    // could be started.
    virtual bool openWithDesktop(const QString& path) = 0;
};

} // namespace vrnnec

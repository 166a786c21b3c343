// The dialogs of the program as Qt message boxes and file dialogs.
#pragma once

#include "app/UserDialogs.h"

#include <QPointer>
#include <QWidget>

namespace vrnnec {

class QtUserDialogs : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    // The window the dialogs are centred on.
    void setParent(QWidget* parent) { parent_ = parent; }

    void showMessage(const QString& text) override;
    QString openFileName(const QString& title, const QString& filter, const QString& folder) override;
    QString saveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                         const QString& folder, const QString& proposedName) override;
    Answer ask(const QString& text, Buttons buttons, Style style) override;
    bool openWithDesktop(const QString& path) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace vrnnec

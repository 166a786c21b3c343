// Shared set-up of the window tests: a program folder of its own, scripted dialogs, and
// the process's current directory and default locale put back after each test.
#pragma once

#include "ScriptedDialogs.h"
#include "app/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <memory>

using namespace vrnnec;

class AppTestSupport {
public:
    AppTestSupport() : savedCurrentDir_(QDir::currentPath()) {}
    ~AppTestSupport() { reset(); }

    // A new program folder, optionally with a settings file of the given text.
    void prepare(const QByteArray& settingsText = QByteArray())
    {
        reset();
        folder_ = std::make_unique<QTemporaryDir>();
        if (!settingsText.isNull()) {
            QFile file(QDir(folder_->path()).filePath(QStringLiteral("VRN_NEC.ini")));
            if (file.open(QIODevice::WriteOnly))
                file.write(settingsText);
        }
    }

    TForm1& createWindow()
    {
        window_ = std::make_unique<TForm1>(folder_->path(), &dialogs);
        return *window_;
    }

    void destroyWindow() { window_.reset(); }

    void reset()
    {
        window_.reset();
        dialogs = ScriptedDialogs();
        QDir::setCurrent(savedCurrentDir_);
        QLocale::setDefault(QLocale::c());
    }

    QString folder() const { return folder_->path(); }
    // Writes a file into the program folder (an engine script when `executable`).
    void writeFile(const QString& name, const QByteArray& bytes, bool executable = false)
    {
        QFile file(QDir(folder()).filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        file.close();
        if (executable)
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString settingsPath() const { return QDir(folder_->path()).filePath(QStringLiteral("VRN_NEC.ini")); }

    ScriptedDialogs dialogs;

private:
    QString savedCurrentDir_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<TForm1> window_;
};

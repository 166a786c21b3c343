// A UserDialogs double for tests: records every message and dialog request and
// answers from queues filled by the test. An empty queue answers "cancel".
#pragma once

#include "app/UserDialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

using namespace vrnnec;

class ScriptedDialogs : public UserDialogs {
public:
    struct FileRequest {
        bool save = false;
        QString title;
        QString filter;
        QString defaultSuffix;
        QString folder;
        QString proposedName;
    };
    struct Question {
        QString text;
        Buttons buttons;
        Style style;
    };

    // Recorded in call order.
    QStringList messages;
    QList<FileRequest> fileRequests;
    QList<Question> questions;

    // Answers, used from the front.
    QStringList fileAnswers;
    QList<Answer> answers;

    void showMessage(const QString& text) override { messages << text; }

    QString openFileName(const QString& title, const QString& filter, const QString& folder) override
    {
        fileRequests.append({false, title, filter, QString(), folder, QString()});
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }

    QString saveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                         const QString& folder, const QString& proposedName) override
    {
        fileRequests.append({true, title, filter, defaultSuffix, folder, proposedName});
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }

    Answer ask(const QString& text, Buttons buttons, Style style) override
    {
        questions.append({text, buttons, style});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }

    // Files handed to the desktop, and whether a program for them is registered.
    QStringList openedFiles;
    bool desktopHasViewer = true;
    bool openWithDesktop(const QString& path) override
    {
        openedFiles << path;
        return desktopHasViewer;
    }

    // The messages so far, cleared.
    QStringList takeMessages()
    {
        QStringList taken = messages;
        messages.clear();
        return taken;
    }
};

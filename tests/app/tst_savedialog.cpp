// The program's own save dialog: a name typed without its extension gets the default
// suffix, and an existing file of that name is replaced only after a question.
#include "app/QtUserDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vrnnec;

class SaveDialogTest : public QObject {
    Q_OBJECT
private slots:
    void typedNameWithoutSuffixAsksBeforeReplacing_data();
    void typedNameWithoutSuffixAsksBeforeReplacing();
};

void SaveDialogTest::typedNameWithoutSuffixAsksBeforeReplacing_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("replace") << true;
    QTest::newRow("keep") << false;
}

void SaveDialogTest::typedNameWithoutSuffixAsksBeforeReplacing()
{
    QFETCH(bool, replace);
    QTemporaryDir dir;
    const QString existing = QDir(dir.path()).filePath(QStringLiteral("deck.wcf"));
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    // Each step answers the modal window on top: the file dialog gets "deck", the
    // question its answer, a file dialog shown again is cancelled.
    QStringList questions;
    int fileDialogs = 0;
    QTimer driver;
    connect(&driver, &QTimer::timeout, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            questions << box->text();
            box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (++fileDialogs > 1) {
                dialog->reject();
                return;
            }
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("deck"));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    driver.start(20);
    QtUserDialogs dialogs;
    const QString chosen = dialogs.saveFileName(QStringLiteral("Save"), QStringLiteral("Decks|*.wcf"),
                                                QStringLiteral("wcf"), dir.path(), QString());
    driver.stop();
    QCOMPARE(questions.size(), 1);
    QVERIFY(questions[0].contains(QStringLiteral("deck.wcf")));
    QCOMPARE(chosen, replace ? existing : QString());
    QCOMPARE(fileDialogs, replace ? 1 : 2);
}

QTEST_MAIN(SaveDialogTest)
#include "tst_savedialog.moc"

#include "app/ResultMemo.h"

#include <QPlainTextEdit>
#include <QScrollBar>

namespace vrnnec::resultmemo {

void setUp(QPlainTextEdit& memo, bool pageMenu)
{
    memo.setReadOnly(true);
    memo.setUndoRedoEnabled(false);
    if (pageMenu)
        memo.setContextMenuPolicy(Qt::NoContextMenu);
}

void append(QPlainTextEdit& memo, const QStringList& lines)
{
    for (const QString& line : lines)
        memo.appendPlainText(line);
    memo.moveCursor(QTextCursor::End);
    memo.ensureCursorVisible();
    memo.verticalScrollBar()->setValue(memo.verticalScrollBar()->maximum());
}

void append(QPlainTextEdit& memo, const std::vector<std::string>& lines)
{
    QStringList texts;
    for (const std::string& line : lines)
        texts << QString::fromStdString(line);
    append(memo, texts);
}

} // namespace vrnnec::resultmemo

#include "app/DeckMemo.h"

#include "common/DeckText.h"

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace vrnnec {

namespace deckmemo {

std::vector<std::string> lines(const QString& text)
{
    std::vector<std::string> result;
    if (text.isEmpty())
        return result;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        // Each character is the byte it was read from; a typed character beyond them
        // goes as its UTF-8 bytes.
        std::string bytes;
        for (const QChar c : line) {
            if (c.unicode() <= 0xFF)
                bytes += static_cast<char>(c.unicode());
            else
                bytes += QString(c).toStdString();
        }
        result.push_back(decktext::CutLine(bytes));
    }
    return result;
}

// The memo's raw text: its plain text would turn 0xA0 (no-break space) into a blank.
static QString memoText(const QPlainTextEdit& memo)
{
    QString text = memo.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

std::vector<std::string> lines(const QPlainTextEdit& memo)
{
    return lines(memoText(memo));
}

std::vector<std::string> runLines(const QPlainTextEdit& memo)
{
    return runLines(memoText(memo));
}

std::vector<std::string> runLines(const QString& text)
{
    std::vector<std::string> result = lines(text);
    if (!result.empty() && result.back().empty())
        result.pop_back();
    return result;
}

void selectLine(QPlainTextEdit& memo, int index)
{
    const QTextBlock block = memo.document()->findBlockByNumber(index);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
    for (QWidget* w = &memo; w->parentWidget(); w = w->parentWidget())
        if (auto* pages = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget()); pages && pages->indexOf(w) >= 0)
            pages->setCurrentWidget(w);
    memo.ensureCursorVisible();
}

QString text(const std::vector<std::string>& lines)
{
    QString joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += QLatin1Char('\n');
        joined += QString::fromLatin1(lines[i].data(), static_cast<qsizetype>(lines[i].size()));
    }
    return joined;
}

void setLines(QPlainTextEdit& memo, const std::vector<std::string>& newLines)
{
    if (lines(memo) == newLines)
        return;
    // A rewrite by the program is a change of the deck like a typed one: the deck stays
    // marked as changed until it is saved or replaced by a file.
    memo.setPlainText(text(newLines));
    memo.document()->setModified(true);
}

} // namespace deckmemo

} // namespace vrnnec

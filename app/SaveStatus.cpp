#include "app/SaveStatus.h"

#include "common/Messages.h"

#include <QDir>
#include <QStatusBar>

namespace vrnnec::savestatus {

void clear(QStatusBar& bar)
{
    bar.clearMessage();
}

void saved(QStatusBar& bar, const char* kind, const QString& path)
{
    const QString shown = QDir::toNativeSeparators(QDir::cleanPath(path));
    bar.showMessage(QString::fromStdString(messages::SavedFileText(kind, shown.toStdString())));
}

} // namespace vrnnec::savestatus

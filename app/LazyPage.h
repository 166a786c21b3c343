// A page of the main window whose controls are built when they are first needed: when the
// page is first shown, or when a command asks the window for its controls. Until then the
// page is an empty widget of the page's object name in its tab.
#pragma once

#include <QWidget>

namespace vrnnec {

class LazyPage : public QWidget {
    Q_OBJECT
public:
    bool isBuilt() const { return built_; }
    // Builds the page's controls the first time; later calls do nothing.
    void ensureBuilt()
    {
        if (built_)
            return;
        built_ = true;
        build();
    }

protected:
    LazyPage(const char* objectName, QWidget* parent) : QWidget(parent)
    {
        setObjectName(QString::fromLatin1(objectName));
    }
    virtual void build() = 0;

private:
    bool built_ = false;
};

} // namespace vrnnec

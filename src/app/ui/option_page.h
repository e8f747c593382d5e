#pragma once
// An option page sheet of the page control. The controls of each page are
// added by the page's own class; until then the sheet stands empty with its
// name, so tabs, captions and page changes already work.

#include <QWidget>

namespace kestrin::ui {

class OptionPage : public QWidget {
public:
    OptionPage(const QString& objectName, QWidget* parent = nullptr) : QWidget(parent)
    {
        setObjectName(objectName);
    }
};

}  // namespace kestrin::ui

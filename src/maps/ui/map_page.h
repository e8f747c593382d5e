#pragma once
// A map page sheet: one of the nine tab sheets that the shared map panel is
// moved onto when the page becomes active. The panel and its grid are built
// by the map editor; the sheet itself only knows its page.

#include <QWidget>

namespace kestrin::maps::ui {

class MapPage : public QWidget {
    Q_OBJECT
public:
    explicit MapPage(int page, QWidget* parent = nullptr);
    int page() const { return page_; }

private:
    int page_;
};

}  // namespace kestrin::maps::ui

#include "maps/ui/map_page.h"

#include "model/fields.h"

namespace kestrin::maps::ui {

MapPage::MapPage(int page, QWidget* parent) : QWidget(parent), page_(page)
{
    const MapDescriptor* map = mapOfPage(page);
    setObjectName(QStringLiteral("TabSheet") + QString::fromLatin1(map ? map->name : "Map"));
}

}  // namespace kestrin::maps::ui

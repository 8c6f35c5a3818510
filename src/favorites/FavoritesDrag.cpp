#include "favorites/FavoritesDrag.h"

#include <QDrag>
#include <QMimeData>
#include <QWidget>

namespace FavoritesDrag {

void Run(QWidget* source, int effects)
{
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(MimeType), QByteArray());
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    Qt::DropActions actions;
    if (effects & 1)
        actions |= Qt::CopyAction;
    if (effects & 2)
        actions |= Qt::MoveAction;
    drag->exec(actions, Qt::MoveAction);
}

} // namespace FavoritesDrag

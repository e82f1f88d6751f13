#include "charts/chart_widget.h"

#include "charts/chart_png.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace tesselo {

QImage ChartWidget::Picture()
{
    ForgetPointer();
    return grab().toImage();
}

bool ChartWidget::SaveAs(const QString& path, QString* error)
{
    return ChartPng::Save(Picture(), path, error);
}

void ChartWidget::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* save = menu.addAction(tr("Save Chart as PNG…"));
    if (menu.exec(event->globalPos()) != save)
        return;
    ChartPng::Offer(this, [this] { return Picture(); });
}

} // namespace tesselo

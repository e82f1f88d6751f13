#include "charts/chart_widget.h"

#include "charts/chart_png.h"

#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QMenu>

namespace tesselo {

namespace {

// A plain widget reads as a panel, which a screen reader passes over
// without a word; a chart is said as one, with its description.
QAccessibleInterface* ChartAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(ChartWidget::staticMetaObject.className()) && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    return nullptr;
}

} // namespace

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent)
{
    static const bool chartFactory = [] {
        QAccessible::installFactory(&ChartAccessible);
        return true;
    }();
    Q_UNUSED(chartFactory);
}

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

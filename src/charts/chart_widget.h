#pragma once

#include <QImage>
#include <QWidget>

namespace tesselo {

// A chart drawn by hand with QPainter (at the screen's pixel ratio), whose
// context menu saves it as a PNG picture (chart_png.h). It reaches assistive
// technology as a chart, its name and description (which each chart sets to
// what it draws, in words) read as its text.
class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(QWidget* parent = nullptr);
    // The chart as drawn, at the screen's pixel ratio, without the marks
    // of the pointer.
    QImage Picture();
    // Writes Picture() into `path` as PNG, replaced whole once written.
    bool SaveAs(const QString& path, QString* error = nullptr);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Takes away what follows the pointer before a picture is taken.
    virtual void ForgetPointer() {}
};

} // namespace tesselo

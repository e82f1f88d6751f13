#include "charts/solve_map_chart.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace tesselo;

// The par's label is laid out by its text: every digit of a par of one to
// four digits is drawn, inside the chart, in a small font and a large one.
TEST(SolveMapChart, TheParsLabelShowsEveryDigit)
{
    for (const int par : {7, 45, 455, 1999})
        for (const int pointSize : {9, 20}) {
            SolveMapChart chart(par + 1, par);
            QFont font = chart.font();
            font.setPointSize(pointSize);
            chart.setFont(font);
            chart.resize(chart.minimumSizeHint());
            const std::string where = std::to_string(par) + " at " + std::to_string(pointSize) + " pt";
            const std::optional<SolveMapChart::Label> label = chart.ParLabel();
            ASSERT_TRUE(label) << where;
            EXPECT_EQ(label->text, QStringLiteral("Par %1").arg(par)) << where;
            const QFontMetricsF metrics(font);
            EXPECT_GE(label->box.width(), metrics.horizontalAdvance(label->text)) << where;
            EXPECT_TRUE(QRectF(chart.rect()).contains(label->box)) << where;

            // The text's ink reaches into its last digit.
            const QImage shot = chart.grab().toImage();
            const qreal ratio = shot.devicePixelRatio();
            const QColor base = chart.palette().color(QPalette::Base);
            int inkRight = -1;
            const QRect box = QRectF(label->box.topLeft() * ratio, label->box.size() * ratio).toAlignedRect() &
                              shot.rect();
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    if (std::abs(QColor(shot.pixel(x, y)).lightness() - base.lightness()) > 100)
                        inkRight = std::max(inkRight, x);
            const qreal lastDigit = label->box.left() + metrics.horizontalAdvance(label->text) -
                                    metrics.horizontalAdvance(QStringLiteral("5")) / 2;
            EXPECT_GE(inkRight, lastDigit * ratio) << where;
        }
}

#include "charts/results_histogram.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace tesselo;

// "Save Chart as PNG" from a chart's menu asks before it replaces a file,
// as every save does: for a name typed whole, for one typed without ".png"
// (which the dialog completes before it looks), and for one with another
// extension, to which ".png" is added. Answered No, the file stays as it
// was; Yes replaces it with the chart.
TEST(ChartPng, SavingOverAFileAsksFirst)
{
    const struct {
        const char* typed;
        const char* written;
        QMessageBox::StandardButton answer;
    } cases[] = {
        {"mychart", "mychart.png", QMessageBox::No},   {"mychart", "mychart.png", QMessageBox::Yes},
        {"mychart.png", "mychart.png", QMessageBox::No}, {"my.chart", "my.chart.png", QMessageBox::No},
        {"my.chart", "my.chart.png", QMessageBox::Yes},
    };
    ResultsHistogram chart;
    chart.resize(300, 200);
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString written = dir.filePath(QLatin1String(c.written));
        {
            QFile before(written);
            ASSERT_TRUE(before.open(QIODevice::WriteOnly) && before.write("the player's own") > 0);
        }
        // The player, step by step: Save in the menu, the name typed in the
        // dialog, then the answer to any question; a dialog still open
        // after a No is cancelled. Each step is taken once the timer's turn
        // is over, as the window it opens waits in a loop of its own.
        QStringList questions;
        bool typed = false;
        const auto later = [](QObject* on, std::function<void()> step) {
            QMetaObject::invokeMethod(on, std::move(step), Qt::QueuedConnection);
        };
        QTimer player;
        QObject::connect(&player, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                menu->setActiveAction(menu->actions().constFirst());
                later(menu, [menu] { QTest::keyClick(menu, Qt::Key_Return); });
            } else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                if (questions.isEmpty() || questions.back() != box->text())
                    questions << box->text();
                later(box, [box, answer = c.answer] { box->button(answer)->click(); });
            } else if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                if (typed) {
                    if (!questions.isEmpty())
                        later(dialog, [dialog] { dialog->reject(); });
                    return;
                }
                typed = true;
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                name->setText(dir.filePath(QLatin1String(c.typed)));
                later(name, [name] { QTest::keyClick(name, Qt::Key_Return); });
            }
        });
        player.start(10);
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20), chart.mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(&chart, &click);
        player.stop();

        const std::string where = std::string(c.typed) + (c.answer == QMessageBox::Yes ? ", Yes" : ", No");
        ASSERT_TRUE(typed) << where;
        ASSERT_EQ(questions.size(), 1) << where;
        EXPECT_TRUE(questions[0].contains(QLatin1String(c.written))) << where << ": " << questions[0].toStdString();
        QImageReader reader(written);
        if (c.answer == QMessageBox::Yes) {
            EXPECT_EQ(reader.format(), "png") << where;
        } else {
            QFile after(written);
            ASSERT_TRUE(after.open(QIODevice::ReadOnly));
            EXPECT_EQ(after.readAll(), "the player's own") << where;
        }
    }
}

#pragma once

#include "animation/replay_export.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

class QWidget;

namespace tesselo {

// "Save Replay as Animation…": asks where (a GIF or a WebP, as the name
// ends), then makes the file beside the window's thread while a progress
// dialog counts the frames; Cancel stops it and leaves no file. The window
// stays responsive meanwhile, and the saver returns once the file is
// written, given up or cancelled. A failure is told in a message.
class AnimationSaver {
    Q_DECLARE_TR_FUNCTIONS(tesselo::AnimationSaver)
public:
    explicit AnimationSaver(QWidget* parent);

    // `name` is suggested for the file, without its ending.
    ReplayExport::Outcome Save(const ReplayExport::Job& job, const QString& name);

    // Where to save, given the name suggested; empty: not at all. Tests
    // replace it, and `tell` (a warning box) too.
    std::function<QString(const QString& suggested)> askFile;
    std::function<void(const QString&)> tell;

private:
    QWidget* parent;
};

} // namespace tesselo

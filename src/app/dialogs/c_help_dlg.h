#pragma once

#include <QDialog>

namespace tesselo {

// One page of fixed text: how to play, the keys, the options, and who made
// the game and what it uses. "Done" or Escape closes it.
class CHelpDlg : public QDialog {
    Q_OBJECT
public:
    explicit CHelpDlg(QWidget* parent = nullptr);
};

} // namespace tesselo

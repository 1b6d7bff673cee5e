#pragma once
// "プレイヤー情報": rolls the new player's skill and money and takes a name.

#include <QDialog>

#include "career/char_make.h"

class QLabel;
class QLineEdit;
class QFrame;

namespace vargo {

class CharMakeWindow : public QDialog {
    Q_OBJECT
public:
    explicit CharMakeWindow(Game& game, QWidget* parent = nullptr);
    bool value() const { return logic.value; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dspPlayer();
    FCharMake logic;
    QLineEdit* dspName = nullptr;
    QLabel* dspRl = nullptr;
    QLabel* dspOparate = nullptr;
    QLabel* dspMsg = nullptr;
    QFrame* paneGuide = nullptr;
    QLabel* dspGuide = nullptr;
};

}  // namespace vargo

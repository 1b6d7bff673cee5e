#pragma once
// The shop window: shows the Shop's lists, columns, money, guide and help line, and forwards the
// player's clicks and mouse moves to it.

#include <QDialog>

#include "screens/shop.h"

class QComboBox;
class QLabel;
class QListWidget;
class QTableWidget;
class QFrame;

namespace vargo {

class ShopWindow : public QDialog {
    Q_OBJECT
public:
    /// The window opens the shop (reading catalogues, starting the tune) on the shared game.
    ShopWindow(Game& game, CatalogueReader& catalogue, Prompts& prompts, Sound* sound,
               QWidget* parent = nullptr);
    Shop& shop() { return logic; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void showKind();
    void showInventory();
    void showMoney();
    void showGuideAndHelp();

    Shop logic;
    QComboBox* ComboShop;
    QTableWidget* List1;
    std::array<QListWidget*, 2> ListOwnParts{};
    QLabel* lblPlayerRl;
    QFrame* paneGuide;
    QLabel* dspGuide;
    QLabel* dspMsg;
};

}  // namespace vargo

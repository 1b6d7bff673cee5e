#pragma once
// The workshop window ("DollDesign"): the Doll under assembly, the calendar, and the buttons and
// menus from which every other activity starts. It holds no rule of its own: the workshop rules
// and the assembly panel decide, this window shows and forwards.

#include <QMainWindow>
#include <memory>

#include "career/assembly.h"
#include "career/workshop.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QGridLayout;

namespace vargo {

class Prompts;
class Sound;
class WorkshopActions;

class DesignWindow : public QMainWindow {
    Q_OBJECT
public:
    DesignWindow(Game& game, Prompts& prompts, Sound& sound, WorkshopActions& actions,
                 QWidget* parent = nullptr);
    ~DesignWindow() override;

    /// Opening the workshop: a new game opens the shop first, a loaded one reads save svNum.
    void openGame(std::optional<int> loadSvNum);
    /// Refreshes every control from the game state.
    void init();

    Workshop& rules() { return workshop; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    QWidget* buildAssembly();
    QWidget* buildDollPanel();
    QWidget* buildCommands();
    void dspParts();
    void dspDoll();
    void refreshEditable();
    void showGuide();
    void afterCalendarStep();
    void restartMusic();
    /// After a battle: the workshop is the active window again, with `control` (or the parts list
    /// when it cannot take focus) holding the keyboard.
    void takeFocusBack(QWidget* control);

    void onWork();
    void onDuel();
    void onStreet();
    void onLab();
    void onTornament();
    void onShop();
    void onProgram();
    void onReplay();
    void onSave();
    void onLoad();
    void onLoadDuelist();
    void onStart();
    void onQuit();

    Game& game;
    WorkshopActions& actions;
    Workshop workshop;
    Assembly assembly;
    bool closingForGood = false;

    QLabel* dspDate = nullptr;
    QLabel* dspClass = nullptr;
    QLabel* dspMoney = nullptr;
    QComboBox* cmbParts = nullptr;
    QListWidget* ListPart = nullptr;
    QLabel* detailTitle = nullptr;
    QLabel* detailBody = nullptr;
    QLabel* dspPart[4] = {};
    QListWidget* ListBoost = nullptr;
    QListWidget* ListP = nullptr;
    QListWidget* ListSoft = nullptr;
    QLabel* picture = nullptr;
    QLineEdit* impDollName = nullptr;
    QLabel* dollName = nullptr;
    QGridLayout* params = nullptr;
    std::vector<QLabel*> paramValues;
    QWidget* paneGuide = nullptr;
    QLabel* dspGuide = nullptr;
    QPushButton* cmdWork = nullptr;
    QPushButton* cmdDuel = nullptr;
    QPushButton* cmdStreet = nullptr;
    QPushButton* cmdTornament = nullptr;
    QPushButton* cmdShop = nullptr;
    QPushButton* cmdProgram = nullptr;
    QPushButton* cmdReplay = nullptr;
    QAction* mnBGM = nullptr;
    QAction* mnGuide = nullptr;
    QAction* mnEstimates = nullptr;
    QPushButton* cmdLab = nullptr;
};

}  // namespace vargo

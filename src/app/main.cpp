// The game's entry point: find the game folder, set up the Japanese font and look, open the start window.

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include "model/game_folder_setup.h"
#include "ui/game_app_qt.h"
#include "ui/safe_application_qt.h"
#include "ui/theme_qt.h"

namespace {
std::optional<std::string> env(const char* name) {
    QByteArray v = qgetenv(name);
    if (v.isEmpty()) {
        return std::nullopt;
    }
    return v.toStdString();
}
}  // namespace

int main(int argc, char** argv) {
    vargo::SafeApplication app(argc, argv);
    QApplication::setOrganizationName("vargo");
    QApplication::setApplicationName("vargo");
    QApplication::setApplicationDisplayName("VARGO");
    QApplication::setWindowIcon(QIcon::fromTheme("vargo"));
    // Qt's own Japanese texts, so the plain message box says キャンセル, はい, いいえ.
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtJapanese);
    }
    vargo::applyTheme(app);

    auto choice = vargo::chooseGameFolder(QDir::currentPath().toStdString(),
                                          QApplication::applicationDirPath().toStdString(),
                                          env("XDG_DATA_HOME"), env("HOME"));
    if (choice.folder.empty()) {
        QMessageBox::critical(nullptr, "VARGO",
                              QString::fromStdString("ゲームのデータが見つかりません。\n" + choice.error));
        return 1;
    }
    QDir::setCurrent(QString::fromStdString(choice.folder.string()));

    vargo::GameApp game(choice.folder);
    game.settleInterruptedWrites();
    game.showStartUp();
    return app.exec();
}

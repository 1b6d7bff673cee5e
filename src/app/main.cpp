// The game's entry point: find the game folder, set up the Japanese font and look, open the start window.

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>
#include <cstring>

#include "model/game_folder_setup.h"
#include "ui/game_app_qt.h"
#include "ui/safe_application_qt.h"
#include "ui/theme_qt.h"
#include "ui/window_memory_qt.h"
#include "ui/window_place_qt.h"
#include "vargo/version.h"

namespace {

const char* const kUsage =
    "usage: vargo [--help | --version] [Qt options]\n"
    "Plays VARGO, the robot workshop game, in its game folder: the current folder when it holds\n"
    "ini/, else $XDG_DATA_HOME/vargo (or ~/.local/share/vargo), which uses the installed data.\n"
    "  --help       this text\n"
    "  --version    the game's version\n"
    "Qt's own options (-platform NAME, -style NAME, -reverse, ...) are passed on to Qt.\n";

// --help and --version answer before Qt starts, so they need no display. Returns the exit status
// when the command line was answered.
std::optional<int> answerBeforeQt(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("vargo %.*s\n", static_cast<int>(vargo::kVersion.size()), vargo::kVersion.data());
            return 0;
        }
    }
    return std::nullopt;
}

// What QApplication left of the command line after taking its own options: the game takes no
// words of its own, so anything left is a mistake. Reported before any window opens.
int refuseLeftOver(const char* word) {
    std::fprintf(stderr, "vargo: unknown option \"%s\"\n%s", word, kUsage);
    return 2;
}

std::optional<std::string> env(const char* name) {
    QByteArray v = qgetenv(name);
    if (v.isEmpty()) {
        return std::nullopt;
    }
    return v.toStdString();
}
}  // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> answered = answerBeforeQt(argc, argv)) {
        return *answered;
    }
    vargo::SafeApplication app(argc, argv);
    if (argc > 1) {
        return refuseLeftOver(argv[1]);
    }
    QApplication::setOrganizationName("vargo");
    QApplication::setApplicationName("vargo");
    QApplication::setApplicationDisplayName("VARGO");
    // The installed desktop entry's name, by which Wayland desktops match the window to its launcher.
    QGuiApplication::setDesktopFileName("io.github.vargo.Vargo");
    QApplication::setWindowIcon(QIcon::fromTheme("vargo"));
    // Qt's own Japanese texts, so the plain message box says キャンセル, はい, いいえ.
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtJapanese);
    }
    vargo::applyTheme(app);
    // Window sizes and places come back as the player left them.
    vargo::WindowMemory windowMemory;
    app.installEventFilter(&windowMemory);
    // And no caption is cut by a window narrower than its title.
    vargo::CaptionFit captionFit;
    app.installEventFilter(&captionFit);

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

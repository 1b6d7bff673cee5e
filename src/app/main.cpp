// The game's entry point: find the game folder, set up the Japanese font, and open the game.

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTranslator>

#include "model/catalogue.h"

namespace {

// The game folder is the current directory when it holds ini/; otherwise a per-user copy.
QString findGameFolder() {
    if (QDir::current().exists("ini")) {
        return QDir::currentPath();
    }
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("vargo");
    QApplication::setApplicationDisplayName("VARGO");
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtJapanese);
    }
    if (QFontDatabase::families().contains("IPAGothic")) {
        QApplication::setFont(QFont("IPAGothic", 10));
    }
    QString folder = findGameFolder();
    vargo::CatalogueReader reader{vargo::GameFolder(folder.toStdString())};
    int motors = 0;
    for (const auto& m : reader.ld_AllMotors().byId) {
        motors += m ? 1 : 0;
    }
    QMessageBox::information(nullptr, "VARGO",
                             QString("ゲームフォルダ: %1\nモーター %2 種を読み込みました。\n"
                                     "工房の画面はまだ製作中です。")
                                 .arg(folder)
                                 .arg(motors));
    return 0;
}

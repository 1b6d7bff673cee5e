#include "ui/theme_qt.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace vargo {

namespace {
const char* const kStyle = R"(
QWidget { background: #1e242e; color: #e4e8ef; }
QMainWindow, QDialog { background: #1e242e; }
QMenuBar { background: #151a21; color: #e4e8ef; }
QMenuBar::item:selected { background: #e0902c; color: #1a1a1a; }
QMenu { background: #232a35; border: 1px solid #3b4556; }
QMenu::item:selected { background: #e0902c; color: #1a1a1a; }
QGroupBox { border: 1px solid #3b4556; border-radius: 6px; margin-top: 14px; padding: 8px 6px 6px 6px;
            background: #252c38; font-weight: bold; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 6px; color: #f0b260; }
QGroupBox QWidget { background: #252c38; }
QLabel#caption { color: #8ea2bd; }
QLabel#title { font-size: 20px; font-weight: bold; color: #f0b260; background: transparent; }
QFrame#header { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2f3848, stop:1 #202733);
                border: 1px solid #3b4556; border-radius: 6px; }
QFrame#header QLabel { background: transparent; font-size: 15px; }
QLabel#dspDate, QLabel#dspMoney, QLabel#dspClass { font-weight: bold; color: #ffffff; }
QListWidget, QLineEdit, QComboBox, QTableWidget, QTextEdit {
    background: #151a22; border: 1px solid #3b4556; border-radius: 4px; color: #e4e8ef;
    selection-background-color: #e0902c; selection-color: #1a1a1a; }
QListWidget::item { padding: 2px 4px; }
QListWidget::item:hover { background: #2c3544; }
QListWidget::item:selected, QTableWidget::item:selected { background: #e0902c; color: #1a1a1a; }
QListWidget::item:selected:hover { background: #f0a848; color: #1a1a1a; }
QListWidget::item:selected:!active, QTableWidget::item:selected:!active { background: #8c6a3c; color: #ffffff; }
QListWidget:focus, QLineEdit:focus, QComboBox:focus, QTableWidget:focus, QTextEdit:focus { border-color: #e0902c; }
QComboBox QAbstractItemView { background: #1b212b; selection-background-color: #e0902c; }
QHeaderView::section { background: #2c3544; color: #c8d2e0; border: none; border-right: 1px solid #3b4556;
                       padding: 3px 6px; }
QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3d485b, stop:1 #2d3646);
              border: 1px solid #4a566b; border-radius: 5px; padding: 6px 14px; color: #f1f3f7; }
QPushButton:hover { border-color: #e0902c; }
QPushButton:pressed { background: #e0902c; color: #1a1a1a; }
QPushButton:disabled { color: #6c7686; background: #262d38; border-color: #323a48; }
QPushButton:default { border-color: #e0902c; }
QFrame#paneGuide { background: #3a3320; border: 1px solid #8a7440; border-radius: 6px; }
QFrame#paneGuide QLabel { background: transparent; color: #ffe3a8; }
QFrame#detail { background: #1b212b; border: 1px solid #3b4556; border-radius: 4px; }
QFrame#detail QLabel { background: transparent; }
QLabel#detailTitle { font-weight: bold; color: #f0b260; }
QLabel#dspDollName { font-size: 17px; font-weight: bold; color: #ffffff; }
QLabel#startTitle { font-size: 64px; font-weight: bold; color: #f0b260; letter-spacing: 12px; }
QLabel#startSubtitle { font-size: 16px; color: #a9b7cb; }
QToolTip { background: #fff6dc; color: #202020; border: 1px solid #8a7440; }
QScrollBar:vertical { background: #1b212b; width: 12px; }
QScrollBar::handle:vertical { background: #3d485b; border-radius: 5px; min-height: 20px; }
QScrollBar:horizontal { background: #1b212b; height: 12px; }
QScrollBar::handle:horizontal { background: #3d485b; border-radius: 5px; min-width: 20px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QAbstractScrollArea::corner { background: #1b212b; }
)";
}  // namespace

void applyTheme(QApplication& app) {
    QFont font = app.font();
    // The proportional face reads better in labels; both come with the same font package.
    const QStringList families = QFontDatabase::families();
    if (families.contains("IPAPGothic")) {
        font = QFont("IPAPGothic");
    } else if (families.contains("IPAGothic")) {
        font = QFont("IPAGothic");
    }
    font.setPointSize(10);
    app.setFont(font);
    app.setStyleSheet(kStyle);
}

}  // namespace vargo

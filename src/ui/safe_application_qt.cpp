#include "ui/safe_application_qt.h"

#include <QMessageBox>
#include <exception>

namespace vargo {

bool SafeApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        QMessageBox::warning(nullptr, "VARGO",
                             QString("処理を続けられませんでした。\n") + QString::fromUtf8(e.what()));
    } catch (...) {
        QMessageBox::warning(nullptr, "VARGO", "処理を続けられませんでした。");
    }
    return false;
}

}  // namespace vargo

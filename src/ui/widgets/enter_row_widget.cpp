#include "ui/widgets/enter_row_widget.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

namespace vargo {

EnterRow::EnterRow(QAbstractItemView* v, std::function<void(int row)> a)
    : QObject(v), view(v), act(std::move(a)) {}

void EnterRow::attach(QAbstractItemView* view, std::function<void(int row)> act) {
    view->installEventFilter(new EnterRow(view, std::move(act)));
}

bool EnterRow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view) {
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        // Tabbing in, the player must see which row Enter will act on: the current row shows
        // selected, the first one when there is none yet (a list just filled).
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            QModelIndex current = view->currentIndex();
            if (!current.isValid() && view->model() != nullptr && view->model()->rowCount() > 0) {
                current = view->model()->index(0, 0);
            }
            if (current.isValid()) {
                view->setCurrentIndex(current);  // selects it too, as the view's selection mode says
            }
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space) {
        return false;
    }
    const QModelIndex current = view->currentIndex();
    if (!current.isValid()) {
        return false;
    }
    act(current.row());
    return true;
}

}  // namespace vargo

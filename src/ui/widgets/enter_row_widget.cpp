#include "ui/widgets/enter_row_widget.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace vargo {

EnterRow::EnterRow(QAbstractItemView* v, std::function<void(int row)> a)
    : QObject(v), view(v), act(std::move(a)) {}

void EnterRow::attach(QAbstractItemView* view, std::function<void(int row)> act) {
    view->installEventFilter(new EnterRow(view, std::move(act)));
}

bool EnterRow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view || event->type() != QEvent::KeyPress) {
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

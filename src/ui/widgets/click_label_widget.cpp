#include "ui/widgets/click_label_widget.h"

#include <QMouseEvent>

namespace vargo {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    setMouseTracking(true);
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setMouseTracking(true);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(e);
}

void ClickLabel::mouseMoveEvent(QMouseEvent* e) {
    emit hovered();
    QLabel::mouseMoveEvent(e);
}

void ClickLabel::enterEvent(QEnterEvent* e) {
    emit hovered();
    QLabel::enterEvent(e);
}

}  // namespace vargo

#include "ui/widgets/click_label_widget.h"

#include <QFrame>
#include <QMouseEvent>
#include <QVBoxLayout>

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

GuidePane makeGuidePane(QWidget* parent, const QString& text) {
    auto* pane = new QFrame(parent);
    pane->setObjectName("paneGuide");
    pane->setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(pane);
    auto* label = new ClickLabel(text, pane);
    label->setObjectName("dspGuide");
    label->setWordWrap(true);
    label->setCursor(Qt::PointingHandCursor);
    layout->addWidget(label);
    return {pane, label};
}

}  // namespace vargo

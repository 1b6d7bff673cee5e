#pragma once
// A label the player can click, and whose hovering the screens turn into help-line texts.

#include <QLabel>

class QFrame;

namespace vargo {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();
    void hovered();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
};

/// The beginner-guide pane every screen shows: a framed box ("paneGuide") holding a clickable,
/// word-wrapped label ("dspGuide"). The caller connects the label's clicked() to its own rule.
struct GuidePane {
    QFrame* pane;
    ClickLabel* label;
};
GuidePane makeGuidePane(QWidget* parent, const QString& text = QString());

}  // namespace vargo

#pragma once
// Enter (or Space) on a list's current row does what a click on that row does, so the shop's
// lists and the workshop's part list can be played without a mouse.

#include <QObject>
#include <functional>

class QAbstractItemView;

namespace vargo {

class EnterRow : public QObject {
    Q_OBJECT
public:
    /// Watches `view` (and is owned by it): Return, Enter or Space with a current row calls `act`
    /// with that row, and the key goes no further. Tab into the view shows its current row
    /// (or the first) selected.
    static void attach(QAbstractItemView* view, std::function<void(int row)> act);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EnterRow(QAbstractItemView* view, std::function<void(int row)> act);
    QAbstractItemView* view;
    std::function<void(int row)> act;
};

}  // namespace vargo

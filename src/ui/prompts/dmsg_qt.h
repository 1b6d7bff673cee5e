#pragma once
// DMsg, the game's own message dialog: a message and one or two buttons, laid out in the twips of
// the dialog's design and scaled up with the font so that Japanese text always fits.

#include <QDialog>

class QLabel;
class QPushButton;

namespace vargo {

class DMsg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTwipsPerPixel = 15;

    /// The dialog is placed over `anchor` (the workshop window) when one is given.
    explicit DMsg(QWidget* anchor = nullptr);

    /// Places the dialog a third into the anchor and sets the message. The size stays.
    void setDialog(const QString& msg);
    /// Height 200 x rows + 1200 twips, buttons' top 200 x rows + 400.
    void setHeight(int rows);
    /// Captions of the two buttons; an empty right caption hides the right button.
    void setButtons(const QString& left, const QString& right);
    /// Shows the dialog modally and returns value().
    int ask();
    /// 1 for the left button, 2 for the right one (also for the window's own close control).
    int value() const { return result; }

    int heightTwips() const { return heightTw; }
    int buttonTopTwips() const { return buttonTopTw; }
    /// Pixels per twip times the font's growth over the design font.
    double scale() const;

protected:
    void closeEvent(QCloseEvent* e) override;

public slots:
    void reject() override;

private:
    void relayout();
    int px(int twips) const;

    QWidget* anchor;
    QLabel* lblMsg;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    int result = 2;
    int heightTw = 1335 + kTitleTwips;
    int buttonTopTw = 840;

    static constexpr int kTitleTwips = 405; /**< title bar and borders inside the dialog's height */
};

}  // namespace vargo

#pragma once
// The prompts on screen: the six game prompts through the one DMsg dialog, and the plain system
// message box titled "VARGO".

#include <QPointer>

#include "ports/prompts.h"

class QWidget;

namespace vargo {

class DMsg;

class QtPrompts final : public Prompts {
public:
    /// `anchor` is the window the dialogs sit over (the workshop); it may be null.
    explicit QtPrompts(QWidget* anchor = nullptr);
    ~QtPrompts() override;
    QtPrompts(const QtPrompts&) = delete;
    QtPrompts& operator=(const QtPrompts&) = delete;

    int askOkCancel(const std::string& msg) override;
    int askOkCancelTitled(const std::string& msg, const std::string& title) override;
    int askYesNo(const std::string& msg, const std::string& title) override;
    void showMsg(const std::string& msg) override;
    void showMsgTitled(const std::string& msg, const std::string& title) override;
    void showMsgTall(const std::string& msg, const std::string& title, int rows) override;
    int msgBox(const std::string& msg, BoxButtons buttons = BoxButtons::Ok) override;

    /// The one dialog every prompt reuses.
    DMsg& dialog();
    void setAnchor(QWidget* anchor);

private:
    int question(const std::string& msg, const std::string& title, const char* left, const char* right);

    QPointer<QWidget> anchor;
    DMsg* dmsg = nullptr;
};

}  // namespace vargo

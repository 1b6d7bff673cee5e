#include "ports/prompts.h"

namespace vargo {

bool ScriptedPrompts::next() {
    if (answers.empty()) {
        return defaultLeft;
    }
    bool left = answers.front();
    answers.pop_front();
    return left;
}

int ScriptedPrompts::askOkCancel(const std::string& msg) {
    calls.push_back({Kind::AskOkCancel, msg, kAppTitle});
    return next() ? kOk : kCancel;
}

int ScriptedPrompts::askOkCancelTitled(const std::string& msg, const std::string& title) {
    calls.push_back({Kind::AskOkCancelTitled, msg, title});
    return next() ? kOk : kCancel;
}

int ScriptedPrompts::askYesNo(const std::string& msg, const std::string& title) {
    calls.push_back({Kind::AskYesNo, msg, title});
    return next() ? kYes : kNo;
}

void ScriptedPrompts::showMsg(const std::string& msg) {
    calls.push_back({Kind::ShowMsg, msg, kAppTitle});
}

void ScriptedPrompts::showMsgTitled(const std::string& msg, const std::string& title) {
    calls.push_back({Kind::ShowMsgTitled, msg, title});
}

void ScriptedPrompts::showMsgTall(const std::string& msg, const std::string& title, int rows) {
    calls.push_back({Kind::ShowMsgTall, msg, title, rows});
}

int ScriptedPrompts::msgBox(const std::string& msg, BoxButtons buttons) {
    calls.push_back({Kind::MsgBox, msg, kAppTitle, 0, buttons});
    switch (buttons) {
        case BoxButtons::Ok:
            return kOk;
        case BoxButtons::OkCancel:
            return next() ? kOk : kCancel;
        case BoxButtons::YesNo:
            return next() ? kYes : kNo;
    }
    return kOk;
}

std::vector<std::string> ScriptedPrompts::messages() const {
    std::vector<std::string> out;
    for (const auto& c : calls) {
        out.push_back(c.msg);
    }
    return out;
}

int ScreenFirstPrompts::askOkCancel(const std::string& msg) {
    catchUp();
    return inner.askOkCancel(msg);
}

int ScreenFirstPrompts::askOkCancelTitled(const std::string& msg, const std::string& title) {
    catchUp();
    return inner.askOkCancelTitled(msg, title);
}

int ScreenFirstPrompts::askYesNo(const std::string& msg, const std::string& title) {
    catchUp();
    return inner.askYesNo(msg, title);
}

void ScreenFirstPrompts::showMsg(const std::string& msg) {
    catchUp();
    inner.showMsg(msg);
}

void ScreenFirstPrompts::showMsgTitled(const std::string& msg, const std::string& title) {
    catchUp();
    inner.showMsgTitled(msg, title);
}

void ScreenFirstPrompts::showMsgTall(const std::string& msg, const std::string& title, int rows) {
    catchUp();
    inner.showMsgTall(msg, title, rows);
}

int ScreenFirstPrompts::msgBox(const std::string& msg, BoxButtons buttons) {
    catchUp();
    return inner.msgBox(msg, buttons);
}

}  // namespace vargo

#pragma once
// How the game talks to the player. It uses two kinds of box: the game's own message dialog
// (DMsg) through six prompts, and the platform's plain message box for short warnings. The Qt
// layer implements both; tests and tools use ScriptedPrompts.

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vargo {

/// Message-box result codes.
enum PromptResult : int { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

/// Buttons of the plain message box.
enum class BoxButtons { Ok, OkCancel, YesNo };

inline const char* const kAppTitle = "VARGO";

class Prompts {
public:
    virtual ~Prompts() = default;

    /// OK / Cancel under the title "VARGO": 1 or 2.
    virtual int askOkCancel(const std::string& msg) = 0;
    virtual int askOkCancelTitled(const std::string& msg, const std::string& title) = 0;
    /// Yes / No: 6 or 7.
    virtual int askYesNo(const std::string& msg, const std::string& title) = 0;
    virtual void showMsg(const std::string& msg) = 0;
    virtual void showMsgTitled(const std::string& msg, const std::string& title) = 0;
    /// A taller dialog for long text; the next prompt has the normal three rows again.
    virtual void showMsgTall(const std::string& msg, const std::string& title, int rows) = 0;

    /// The platform's plain message box titled "VARGO": 1 OK, 2 Cancel, 6 Yes, 7 No.
    virtual int msgBox(const std::string& msg, BoxButtons buttons = BoxButtons::Ok) = 0;
};

/// Passes every prompt on to another, first letting the screen behind it catch up: the battle
/// screen draws the step that decided a fight before the win, the loss or the prize is told over it.
class ScreenFirstPrompts final : public Prompts {
public:
    explicit ScreenFirstPrompts(Prompts& to) : inner(to) {}
    /// What brings the screen up to date; called before every prompt.
    void setBeforePrompt(std::function<void()> f) { before = std::move(f); }

    int askOkCancel(const std::string& msg) override;
    int askOkCancelTitled(const std::string& msg, const std::string& title) override;
    int askYesNo(const std::string& msg, const std::string& title) override;
    void showMsg(const std::string& msg) override;
    void showMsgTitled(const std::string& msg, const std::string& title) override;
    void showMsgTall(const std::string& msg, const std::string& title, int rows) override;
    int msgBox(const std::string& msg, BoxButtons buttons = BoxButtons::Ok) override;

private:
    void catchUp() {
        if (before) {
            before();
        }
    }
    Prompts& inner;
    std::function<void()> before;
};

/// Records every prompt and answers from a queue (or a default), for tests and the headless tool.
class ScriptedPrompts final : public Prompts {
public:
    enum class Kind { AskOkCancel, AskOkCancelTitled, AskYesNo, ShowMsg, ShowMsgTitled, ShowMsgTall, MsgBox };
    struct Call {
        Kind kind;
        std::string msg;
        std::string title;
        int rows = 0;
        BoxButtons buttons = BoxButtons::Ok;
    };

    /// Queue the answer to the next question: true for the left button (OK / Yes).
    void answer(bool left) { answers.push_back(left); }
    /// What to answer when the queue is empty.
    void setDefault(bool left) { defaultLeft = left; }

    int askOkCancel(const std::string& msg) override;
    int askOkCancelTitled(const std::string& msg, const std::string& title) override;
    int askYesNo(const std::string& msg, const std::string& title) override;
    void showMsg(const std::string& msg) override;
    void showMsgTitled(const std::string& msg, const std::string& title) override;
    void showMsgTall(const std::string& msg, const std::string& title, int rows) override;
    int msgBox(const std::string& msg, BoxButtons buttons = BoxButtons::Ok) override;

    std::vector<Call> calls;
    /// Every message text in order, the easy thing for tests to compare.
    std::vector<std::string> messages() const;

private:
    bool next();
    std::deque<bool> answers;
    bool defaultLeft = true;
};

}  // namespace vargo

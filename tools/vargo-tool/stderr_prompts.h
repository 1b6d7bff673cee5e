#pragma once
// Prompts for the tool's fights and labs: the game's own messages (a missing file, a bad record)
// go to standard error, and every question is answered as a computer player would, OK and Yes.

#include <iostream>
#include <string>

#include "ports/prompts.h"

namespace vargo::tool {

class StderrPrompts final : public Prompts {
public:
    int askOkCancel(const std::string& m) override { return say(m), kOk; }
    int askOkCancelTitled(const std::string& m, const std::string&) override { return say(m), kOk; }
    int askYesNo(const std::string& m, const std::string&) override { return say(m), kYes; }
    void showMsg(const std::string& m) override { say(m); }
    void showMsgTitled(const std::string& m, const std::string&) override { say(m); }
    void showMsgTall(const std::string& m, const std::string&, int) override { say(m); }
    int msgBox(const std::string& m, BoxButtons) override { return say(m), kOk; }

private:
    static void say(const std::string& m) { std::cerr << m << "\n"; }
};

}  // namespace vargo::tool

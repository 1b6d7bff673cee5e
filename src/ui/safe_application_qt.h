#pragma once
// The game's QApplication. Every reader reports its own failures; should anything still throw
// out of an event handler, the player gets a message and the game goes on instead of ending.

#include <QApplication>

namespace vargo {

class SafeApplication : public QApplication {
public:
    SafeApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace vargo

#pragma once
// The first window: start a new career, load one, or quit.

#include <QWidget>

namespace vargo {

class StartUpWindow : public QWidget {
    Q_OBJECT
public:
    explicit StartUpWindow(const QString& gameFolder, QWidget* parent = nullptr);

signals:
    void initialStart();
    void loadStart();
};

}  // namespace vargo

#pragma once
// A spin button: one narrow control with an up half and a down half, each a
// button of its own. The map tools and the idle and position shifts use it
// for "step the selection by one".

#include <QWidget>

class QToolButton;

namespace kestrin::ui {

class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(const QString& objectName, QWidget* parent = nullptr);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void upClick();
    void downClick();

private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace kestrin::ui

#pragma once
// A tool bar button that remembers which modifier keys were held when it
// was clicked: Open and Save from the tool bar with Ctrl held start in the
// program folder, while the menu entries and their keys never do.

#include <QToolButton>

namespace kestrin::ui {

class SpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit SpeedButton(const QString& objectName, QWidget* parent = nullptr);
    Qt::KeyboardModifiers clickModifiers() const { return modifiers_; }
    bool ctrlHeld() const { return modifiers_.testFlag(Qt::ControlModifier); }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Qt::KeyboardModifiers modifiers_;
};

}  // namespace kestrin::ui

#pragma once
// One numeric option: an edit with its up-down. The up-down's position is
// the value the edit shows; the value is committed when the up-down is
// clicked, when the user clicks into the edit, or on Enter. The edit and the
// up-down are separate controls with their own names (EditIgnLimiter,
// UpDownIgnLimiter), as the pages and the print code address them apart.

#include <QLineEdit>
#include <QWidget>

class QToolButton;

namespace kestrin::ui {

// The edit half: reports a click into it and Enter as a commit.
class NumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberEdit(const QString& objectName, QWidget* parent = nullptr);
    void setTextIfChanged(const QString& text);

signals:
    void committed();  // EditOnClick / FormKeyPress(Enter)

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The up-down half. With an associate edit its position follows the edit's
// text (read back on demand, clamped to the range, like the original
// control) and a click writes the new position into the edit.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(const QString& objectName, QWidget* parent = nullptr);

    void setAssociate(NumberEdit* edit);
    NumberEdit* associate() const { return edit_; }

    void setRange(int minimum, int maximum);
    void setIncrement(int increment) { increment_ = increment; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int increment() const { return increment_; }

    // The shown value: the associate's number, clamped to the range; the
    // last set position when there is no associate or its text is no number.
    int position() const;
    void setPosition(int value);

    void stepUp() { step(+1); }
    void stepDown() { step(-1); }

signals:
    void clicked(bool up);  // UpDownClick, after the position moved

private:
    void step(int direction);

    NumberEdit* edit_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0;
    int maximum_ = 100;
    int increment_ = 1;
    int position_ = 0;
};

// An edit and its up-down side by side in one small widget.
class UpDownEdit : public QWidget {
    Q_OBJECT
public:
    // `name` without prefix: "IgnLimiter" gives EditIgnLimiter and UpDownIgnLimiter.
    explicit UpDownEdit(const QString& name, QWidget* parent = nullptr);
    NumberEdit* edit() const { return edit_; }
    UpDown* upDown() const { return upDown_; }

private:
    NumberEdit* edit_;
    UpDown* upDown_;
};

}  // namespace kestrin::ui

#pragma once
// TFormAbout: the small modal box with the program's version and build stamp.

#include <QDialog>

class QLabel;

namespace kestrin::ui {

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* parent = nullptr);
    // Sets the caption for `language`; called before every showing.
    void FormActivate(int language);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* LabelExit;
};

}  // namespace kestrin::ui

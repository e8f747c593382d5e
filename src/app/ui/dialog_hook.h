#pragma once
// Every message box, file dialog and print dialog of the window goes through
// this hook, so that a test can answer them instead of a person. The window
// is given one; the program passes QtDialogs, tests a scripted answerer.
// While a box is open its own event loop keeps the window's timer ticking.

#include <QString>

class QPrinter;
class QWidget;

namespace kestrin::ui {

enum class Answer { Yes, No, Cancel };

struct FileDialogSpec {
    QString initialFile;        // the remembered file, or the default data.ign
    QString filter;             // "Ignition Parametrs(*.ign);;All Files (*.*)"
    QString defaultSuffix;      // "ign"
};

class DialogHook {
public:
    virtual ~DialogHook() = default;

    // A plain message box with an OK button.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // A confirmation with Yes, No and Cancel.
    virtual Answer question(QWidget* parent, const QString& text) = 0;
    // The chosen path, or empty when the user cancelled.
    virtual QString openFileName(QWidget* parent, const FileDialogSpec& spec) = 0;
    virtual QString saveFileName(QWidget* parent, const FileDialogSpec& spec) = 0;
    // The print dialog on `printer` (default printer preselected); false on cancel.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Hands a document to the desktop's viewer; false when that failed.
    virtual bool openDocument(const QString& path) = 0;
};

// The real dialogs of Qt.
class QtDialogs : public DialogHook {
public:
    void message(QWidget* parent, const QString& text) override;
    Answer question(QWidget* parent, const QString& text) override;
    QString openFileName(QWidget* parent, const FileDialogSpec& spec) override;
    QString saveFileName(QWidget* parent, const FileDialogSpec& spec) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    bool openDocument(const QString& path) override;
};

}  // namespace kestrin::ui

#pragma once
// Shared pieces of the window tests: one QApplication for the process, an
// answerer for the window's dialogs, and a window in a private settings folder.

#include "app/ui/dialog_hook.h"
#include "app/ui/form_hlav.h"
#include "link/memory_channel.h"
#include "link/sim/engine_model.h"
#include "link/sim/simulated_unit.h"
#include "model/document.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <memory>

namespace kestrin::ui::test {

inline QApplication& app()
{
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

// Answers the window's dialogs from queues and records what was shown.
class ScriptedDialogs : public DialogHook {
public:
    QStringList messages;            // texts of plain message boxes, in order
    QStringList questions;           // texts of confirmations
    std::deque<Answer> answers;      // next confirmation answers; Cancel when empty
    std::deque<QString> openNames;   // next open dialog results; cancel when empty
    std::deque<QString> saveNames;
    QStringList openInitial;         // initial file of each open dialog shown
    QStringList saveInitial;
    QStringList documents;           // documents handed to the viewer
    bool documentOpens = true;
    QString printFile;               // print into this PDF; cancel when empty

    void message(QWidget*, const QString& text) override { messages << text; }
    Answer question(QWidget*, const QString& text) override
    {
        questions << text;
        if (answers.empty())
            return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QString openFileName(QWidget*, const FileDialogSpec& spec) override
    {
        openInitial << spec.initialFile;
        return pop(openNames);
    }
    QString saveFileName(QWidget*, const FileDialogSpec& spec) override
    {
        saveInitial << spec.initialFile;
        return pop(saveNames);
    }
    // Prints into the PDF `printFile`; an empty name cancels the dialog.
    bool choosePrinter(QWidget*, QPrinter& printer) override
    {
        if (printFile.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
        return true;
    }
    bool openDocument(const QString& path) override
    {
        documents << path;
        return documentOpens;
    }

private:
    static QString pop(std::deque<QString>& queue)
    {
        if (queue.empty())
            return {};
        QString s = queue.front();
        queue.pop_front();
        return s;
    }
};

// A window over its own Document, settings folder and program folder,
// connected to a simulated unit in memory whose engine model fills the
// monitor frames. Time passes only when the test ticks.
struct WindowFixture {
    QTemporaryDir configDir;
    QTemporaryDir programDir;
    Document doc;
    ScriptedDialogs dialogs;
    EngineModel engineModel{7};
    SimulatedUnit unit;
    MemoryChannel channel{&unit};
    std::unique_ptr<TFormHlav> window;

    explicit WindowFixture(const QString& languageWord = {}, bool create = true)
    {
        app();
        unit.setMonitorSource(&engineModel);
        window = std::make_unique<TFormHlav>(WindowServices{
            doc, dialogs, channel, programDir.path() + QLatin1Char('/'), configDir.path(), QString(), languageWord});
        window->timer().stop();  // tests tick by hand
        if (create)
            window->FormCreate();
    }
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            unit.advance(TFormHlav::kTickMs);
            window->Timer1Timer();
        }
    }
    template <typename T>
    T* find(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
};

}  // namespace kestrin::ui::test

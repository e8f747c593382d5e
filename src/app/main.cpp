// kestrin: the main window program.
//
// A close requested by the desktop session or by SIGTERM/SIGINT runs the
// same close sequence as the menu's Exit, so the settings and the image
// snapshot are saved whichever way the program ends.

#include "app/ui/dialog_hook.h"
#include "app/ui/form_hlav.h"
#include "app/simulator_process.h"
#include "app/window_args.h"
#include "link/qt_serial_channel.h"
#include "model/document.h"

#include <QApplication>
#include <QTimer>
#include <QPixmap>
#include <QPrinter>
#include <QDir>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <unistd.h>

namespace {

// `--print-to FILE`: the print dialog is answered with a PDF file.
class PrintToFile : public kestrin::ui::QtDialogs {
public:
    explicit PrintToFile(QString file) : file_(std::move(file)) {}
    bool choosePrinter(QWidget* parent, QPrinter& printer) override
    {
        if (file_.isEmpty())
            return QtDialogs::choosePrinter(parent, printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file_);
        return true;
    }

private:
    QString file_;
};

int gSignalPipe[2] = {-1, -1};

extern "C" void onTerminate(int)
{
    const char byte = 1;
    // Only async-signal-safe work here: wake the event loop.
    [[maybe_unused]] const auto written = ::write(gSignalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT become a normal window close on the event loop.
void routeTerminationSignals(QWidget* window)
{
    if (::pipe(gSignalPipe) != 0)
        return;
    ::fcntl(gSignalPipe[0], F_SETFL, O_NONBLOCK);
    ::fcntl(gSignalPipe[1], F_SETFL, O_NONBLOCK);
    auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
        char buffer[16];
        while (::read(gSignalPipe[0], buffer, sizeof buffer) > 0) {
        }
        window->close();
    });
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

}  // namespace

int main(int argc, char* argv[])
{
    // Usage first, so that --help and a wrong option need no display.
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    kestrin::WindowArgs options = kestrin::parseWindowArgs(args);
    if (!options.error.empty() || options.help) {
        if (!options.error.empty())
            std::fprintf(stderr, "kestrin: %s\n", options.error.c_str());
        std::fprintf(options.help ? stdout : stderr,
                     "usage: kestrin [ENGLISH|DEUTSCH|FRENCH|CESKY] [--config-dir DIR] "
                     "[--port DEVICE | --simulate] [--screenshot FILE] [--print-to FILE.pdf] [--size WxH]\n");
        return options.help ? 0 : 2;
    }

    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Kestrin_2007"));
    // Qt has taken its own arguments (-platform ...) out of argv now.
    args.clear();
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    options = kestrin::parseWindowArgs(args);

    // An exception that reaches this point ends the program with a box that
    // says why, rather than silently.
    try {
        // The simulated unit first, so that the window opens its device.
        kestrin::SimulatorProcess simulator;
        QString portDevice = QString::fromStdString(options.port);
        if (options.simulate) {
            portDevice = simulator.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kestrin-sim"));
            if (portDevice.isEmpty()) {
                std::fprintf(stderr, "kestrin: %s\n", qPrintable(simulator.error()));
                return 1;
            }
        }

        kestrin::Document doc;
        PrintToFile dialogs(QString::fromStdString(options.printTo));
        kestrin::QtSerialChannel channel;
        kestrin::ui::WindowServices services{
            doc,
            dialogs,
            channel,
            QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/'),
            QString::fromStdString(options.configDir),
            portDevice,
            QString::fromStdString(options.languageWord),
        };
        kestrin::ui::TFormHlav window(services);
        window.FormCreate();
        if (options.width > 0)
            window.setGeometry(0, 0, options.width, options.height);
        routeTerminationSignals(&window);
        // The session manager ending the session closes the window the same way.
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window] { window.FormClose(); });
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window, &simulator] {
            window.FormClose();
            simulator.stop();
        });
        window.show();
        if (!options.printTo.empty()) {
            QTimer::singleShot(options.simulate ? 4000 : 800, &window, [&window] {
                window.printWindow();
                window.close();
            });
        } else if (!options.screenshot.empty()) {
            // Let the live display settle for a few seconds, then render the
            // window as it stands and close it the normal way.
            const QString file = QString::fromStdString(options.screenshot);
            QTimer::singleShot(options.simulate ? 4000 : 800, &window, [&window, file] {
                if (!window.grab().save(file))
                    std::fprintf(stderr, "kestrin: cannot write %s\n", qPrintable(file));
                window.close();
            });
        }
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Kestrin_2007"), QString::fromLocal8Bit(e.what()));
        return 1;
    }
}

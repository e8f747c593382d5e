#pragma once
// TFormHlav, the main window: menus, tool bar, status line, the live strip
// and the page control with its 19 pages. It holds the core objects it is
// given and forwards every event to them; what a command does to the
// parameter image lives in the core, not here.

#include "app/live_link.h"
#include "app/messages.h"
#include "files/file_steps.h"
#include "model/undo_ring.h"
#include "app/ui/live_widgets.h"
#include "files/settings_location.h"
#include "files/snapshot.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolButton;
class QFrame;

namespace kestrin {
class Document;
class SerialChannel;
}

namespace kestrin::ui {

class BarGauge;
class ColourLabel;
class DialogHook;
class MonitorPage;
class TFormAbout;

// What the program hands the window.
struct WindowServices {
    Document& doc;
    DialogHook& dialogs;
    SerialChannel& channel;    // the line to the unit (serial port, or in memory for tests)
    QString programDir;        // folder of the running program, with trailing separator
    QString configDir;         // where settings and snapshot live; empty = the user's folder
    QString portDevice;        // explicit serial device; empty = the port menu's choice
    QString languageWord;      // the command-line language word; empty = none
};

class TFormHlav : public QMainWindow, private LinkEvents {
    Q_OBJECT
public:
    static constexpr int kTickMs = 55;

    explicit TFormHlav(WindowServices services, QWidget* parent = nullptr);
    ~TFormHlav() override;

    // The start-up sequence; the program calls it once after construction.
    void FormCreate();
    // One tick of Timer1, also called directly by tests and benchmarks.
    void Timer1Timer();
    // The close sequence. Runs once, whichever way the window is closed
    // (menu, title bar, session end, SIGTERM); later calls do nothing.
    void FormClose();

    // The Print command (File menu, Ctrl+P, tool bar).
    void printWindow() { SpeedButtonPrintClick(); }

    // Language routine: both halves, and the captions half alone.
    void ApplyLanguage();
    void ApplyLanguageCaptions();
    void setLanguage(int language);  // as the Language menu does

    const MessageTable& messages() const { return messages_; }
    Document& document() { return doc_; }
    QTimer& timer() { return Timer1; }
    bool serviceMode() const { return serviceMode_; }
    const SettingsLocation& settingsLocation() const { return location_; }
    bool printing() const { return printing_; }
    const QString& defaultParameterFile() const { return defaultFilePath_; }

    LiveLink& link() { return *link_; }
    QAction* action(const char* name) const;
    QMenu* menu(const char* name) const;
    QTabWidget* pageControl() const { return PageControl1; }
    const LiveWidgets& live() const { return live_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBar(QWidget* parent);
    QWidget* buildLiveStrip(QWidget* parent);
    void buildPages();
    QAction* addAction(QMenu* menu, const char* name, const QKeySequence& shortcut = {});

    void updateCaption();
    void resolveMonitorControls();
    void applyMonitorDisplay();
    void applyStatusLine(const StatusLine& status);
    void showConnectionLost(bool lost);
    void updateUndoControls();
    ProgramSwitches programSwitches() const;
    void showPages();

    // LinkEvents, from the link engine.
    void statusLineChanged(const StatusLine& status) override { applyStatusLine(status); }
    void pagesRefreshRequested() override { showPages(); }
    void connectionChanged(bool lost) override { showConnectionLost(lost); }
    void readStarted() override;
    void runEnded(TransferState run, RunResult result) override;
    void portChanged(const std::string& label, bool open) override;
    void versionMismatch(const std::string& message) override;
    void portOpenFailed(const std::string& message) override;

    // File commands and printing.
    FileStepHooks fileStepHooks();
    void commitChange();
    void hideStatusLine();
    void setCurrentFile(const QString& path);
    void newDefaults(bool actualPage);
    void openFile(bool actualPage, bool fromProgramFolder);
    void saveFile(bool fromProgramFolder);
    void MenuNewClick();
    void MenuNewActPageClick();
    void MenuOpenClick();
    void MenuOpenExeDirClick();
    void MenuOpenActPageClick();
    void MenuSaveClick();
    void MenuSaveExeDirClick();
    void SpeedButtonPrintClick();

    // "Jet 1234", the common rules, and the "Servis" menu.
    void setJetCoupling(int mode);
    void applyCommonRules();
    void MenuSaveAllNewClick();
    void MenuCompareAllClick();
    void OpenOldMapsClick();
    void MenuServisUlozProcentaClick();

    // Device, undo and port handlers.
    void MenuReadClick();
    void MenuVerifyClick();
    void MenuProgramClick();
    void MenuZpetClick();
    void MenuZnovuClick();
    void MenuCom1Click(QAction* entry);
    void MenuLadeniOnClick();
    void applyLanguageChecks();
    void applyMonitorPlaceholders();

    // Menu handlers.
    void MenuEnglishClick() { setLanguage(English); }
    void MenuGermanClick() { setLanguage(German); }
    void MenuFrenchClick() { setLanguage(French); }
    void MenuCzechClick() { setLanguage(Czech); }
    void MenuContensClick();
    void MenuAboutClick();
    void MenuExitClick() { close(); }
    void PageControl1Change();

    Document& doc_;
    DialogHook& dialogs_;
    WindowServices services_;
    MessageTable messages_;
    LiveWidgets live_;
    std::unique_ptr<LiveLink> link_;
    // The window's control for each control the monitor decoder writes;
    // null where no page shows it.
    std::array<QWidget*, kMonitorControlCount> monitorWidgets_{};

    void LoadSettings();
    void SaveSettings();
    void centreOnScreen();

    SettingsLocation location_;
    PageFlags allFlags_{};  // the map editor's per-page "All" flags, kept in the snapshot
    QString defaultFilePath_;
    QString rememberedFile_;   // saved as "IniDir"
    QString openInitial_;      // initial file of the open dialog
    QString saveInitial_;      // initial file of the save dialog
    bool restrictToPage_ = false;
    bool serviceMode_ = false;
    bool printing_ = false;
    bool closed_ = false;
    bool created_ = false;

    QTimer Timer1;
    QTabWidget* PageControl1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QFrame* GroupBoxToolBar = nullptr;
    QFrame* PanelStatus = nullptr;
    MonitorPage* monitorPage_ = nullptr;
    ColourLabel* LabelHlaseni = nullptr;
    BarGauge* CGaugeProgram = nullptr;
    ColourLabel* LabelSpojeni = nullptr;
    ColourLabel* LabelVersion = nullptr;
    ColourLabel* LabelPokus = nullptr;
    ColourLabel* LabelEeDataErr = nullptr;
    std::array<ColourLabel*, 8> LabelTest{};
    QCheckBox* CheckBoxProgHned = nullptr;
    QActionGroup* comGroup_ = nullptr;
    QActionGroup* languageGroup_ = nullptr;
    QPointer<TFormAbout> about_;
};

}  // namespace kestrin::ui

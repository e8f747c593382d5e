// The main menu: File, Com, Ignition, Jet 1234, Tools, Language, Help and,
// in service mode, Servis. Captions and hints are set by the language
// routine; the entries it leaves alone get their form captions here.

#include "app/ui/form_hlav.h"

#include "app/ui_texts.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace kestrin::ui {

QAction* TFormHlav::addAction(QMenu* menu, const char* name, const QKeySequence& shortcut)
{
    auto* action = new QAction(menu);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    for (const UiText& row : formCaptions())
        if (qstrcmp(row.object, name) == 0)
            action->setText(QString::fromUtf8(row.text[0]));
    menu->addAction(action);
    return action;
}

void TFormHlav::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto topMenu = [&](const char* name) {
        auto* menu = new QMenu(bar);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
        for (const UiText& row : formCaptions())
            if (qstrcmp(row.object, name) == 0)
                menu->setTitle(QString::fromUtf8(row.text[0]));
        bar->addMenu(menu);
        return menu;
    };

    QMenu* file = topMenu("MenuFile");
    const auto fileEntry = [&](const char* name, QKeySequence key, void (TFormHlav::*handler)()) {
        connect(addAction(file, name, key), &QAction::triggered, this, handler);
    };
    fileEntry("MenuNew", QKeySequence(Qt::CTRL | Qt::Key_N), &TFormHlav::MenuNewClick);
    fileEntry("MenuNewActPage", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N), &TFormHlav::MenuNewActPageClick);
    file->addSeparator();
    fileEntry("MenuOpen", QKeySequence(Qt::Key_F3), &TFormHlav::MenuOpenClick);
    fileEntry("MenuOpenExeDir", QKeySequence(Qt::CTRL | Qt::Key_F3), &TFormHlav::MenuOpenExeDirClick);
    fileEntry("MenuOpenActPage", QKeySequence(Qt::SHIFT | Qt::Key_F3), &TFormHlav::MenuOpenActPageClick);
    file->addSeparator();
    fileEntry("MenuSave", QKeySequence(Qt::Key_F2), &TFormHlav::MenuSaveClick);
    fileEntry("MenuSaveExeDir", QKeySequence(Qt::CTRL | Qt::Key_F2), &TFormHlav::MenuSaveExeDirClick);
    file->addSeparator();
    fileEntry("MenuPrint", QKeySequence(Qt::CTRL | Qt::Key_P), &TFormHlav::SpeedButtonPrintClick);
    file->addSeparator();
    connect(addAction(file, "MenuExit"), &QAction::triggered, this, &TFormHlav::MenuExitClick);

    // The port menu: "Com 1" … "Com 20", then "Com Auto"; one check mark.
    QMenu* com = topMenu("MenuCom");
    comGroup_ = new QActionGroup(this);
    comGroup_->setExclusive(true);
    for (int i = 0; i < 21; ++i) {
        const QByteArray name = i < 20 ? "MenuCom" + QByteArray::number(i + 1) : QByteArray("MenuComAuto");
        QAction* entry = addAction(com, name.constData());
        entry->setText(i < 20 ? QStringLiteral("Com %1").arg(i + 1) : QStringLiteral("Com Auto"));
        entry->setCheckable(true);
        entry->setData(i);
        comGroup_->addAction(entry);
    }
    connect(comGroup_, &QActionGroup::triggered, this, &TFormHlav::MenuCom1Click);

    QMenu* device = topMenu("MenuDevice");
    connect(addAction(device, "MenuRead"), &QAction::triggered, this, &TFormHlav::MenuReadClick);
    connect(addAction(device, "MenuVerify"), &QAction::triggered, this, &TFormHlav::MenuVerifyClick);
    connect(addAction(device, "MenuProgram"), &QAction::triggered, this, &TFormHlav::MenuProgramClick);

    QMenu* jet = topMenu("Menu_Jet123Mode");
    auto* jetGroup = new QActionGroup(this);
    int mode = 0;
    for (const char* name : {"Menu_Jet123Normal", "Menu_Jet123Coupled", "Menu_Jet123Stejny"}) {
        QAction* entry = addAction(jet, name);
        entry->setCheckable(true);
        jetGroup->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, mode] { setJetCoupling(mode); });
        ++mode;
    }

    QMenu* tools = topMenu("MenuTools");
    connect(addAction(tools, "MenuZpet"), &QAction::triggered, this, &TFormHlav::MenuZpetClick);
    connect(addAction(tools, "MenuZnovu"), &QAction::triggered, this, &TFormHlav::MenuZnovuClick);
    tools->addSeparator();
    addAction(tools, "MenuToolsMinus");
    addAction(tools, "MenuToolsPlus");
    addAction(tools, "MenuToolsInterpolOn");
    tools->addSeparator();
    connect(addAction(tools, "MenuLadeniOn"), &QAction::triggered, this, &TFormHlav::MenuLadeniOnClick);

    QMenu* language = topMenu("MenuLanguage");
    languageGroup_ = new QActionGroup(this);
    languageGroup_->setExclusive(true);
    const std::pair<const char*, void (TFormHlav::*)()> languages[] = {
        {"MenuEnglish", &TFormHlav::MenuEnglishClick},
        {"MenuGerman", &TFormHlav::MenuGermanClick},
        {"MenuFrench", &TFormHlav::MenuFrenchClick},
        {"MenuCzech", &TFormHlav::MenuCzechClick},
    };
    for (const auto& [name, handler] : languages) {
        QAction* entry = addAction(language, name);
        entry->setCheckable(true);
        languageGroup_->addAction(entry);
        connect(entry, &QAction::triggered, this, handler);
    }

    QMenu* help = topMenu("MenuHelp");
    connect(addAction(help, "MenuContens", QKeySequence(Qt::Key_F1)), &QAction::triggered, this,
            &TFormHlav::MenuContensClick);
    connect(addAction(help, "MenuAbout"), &QAction::triggered, this, &TFormHlav::MenuAboutClick);

    QMenu* servis = topMenu("MenuServis");
    connect(addAction(servis, "MenuSaveAllNew"), &QAction::triggered, this, &TFormHlav::MenuSaveAllNewClick);
    connect(addAction(servis, "MenuCompareAll"), &QAction::triggered, this, &TFormHlav::MenuCompareAllClick);
    connect(addAction(servis, "OpenOldMaps"), &QAction::triggered, this, &TFormHlav::OpenOldMapsClick);
    connect(addAction(servis, "MenuServisUlozProcenta"), &QAction::triggered, this,
            &TFormHlav::MenuServisUlozProcentaClick);
    servis->menuAction()->setVisible(false);
}

}  // namespace kestrin::ui

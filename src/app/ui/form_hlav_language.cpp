// The language routine of the main window: the message table, the language
// menu's check mark and the monitor placeholders first, then every caption
// and hint of the window.

#include "app/ui/form_hlav.h"

#include "app/ui/colour_label.h"
#include "app/ui_texts.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

namespace kestrin::ui {

namespace {

void setCaption(QObject* target, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(target))
        box->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(text);
}

void setHint(QObject* target, const std::string& hint)
{
    const HintParts parts = splitHint(hint);
    const QString toolTip = QString::fromStdString(parts.toolTip);
    const QString statusTip = QString::fromStdString(parts.statusTip);
    if (auto* action = qobject_cast<QAction*>(target)) {
        action->setToolTip(toolTip);
        action->setStatusTip(statusTip);
    } else if (auto* menu = qobject_cast<QMenu*>(target)) {
        menu->menuAction()->setToolTip(toolTip);
        menu->menuAction()->setStatusTip(statusTip);
    } else if (auto* widget = qobject_cast<QWidget*>(target)) {
        widget->setToolTip(toolTip);
        widget->setStatusTip(statusTip);
    }
}

}  // namespace

void TFormHlav::setLanguage(int language)
{
    doc_.outside.language = language;
    ApplyLanguage();
    // Texts that showing the image composes (the unit's identification
    // labels) are rebuilt in the new language.
    showPages();
}

void TFormHlav::ApplyLanguage()
{
    const int language = doc_.outside.language;
    messages_.fill(language, doc_.image.byte(off::CylinderCount));
    applyLanguageChecks();
    applyMonitorPlaceholders();
    ApplyLanguageCaptions();
}

void TFormHlav::applyLanguageChecks()
{
    static constexpr const char* kEntries[4] = {"MenuEnglish", "MenuGerman", "MenuFrench", "MenuCzech"};
    const int language = messages_.language();
    for (int i = 0; i < 4; ++i)
        action(kEntries[i])->setChecked(i == language);
}

void TFormHlav::applyMonitorPlaceholders()
{
    // While no unit answers (and before the first frame) the monitor labels
    // show their head words with "---" in the new language.
    if (!LabelSpojeni->isHidden() || !link_->live().received)
        link_->decoder().showNoConnection();
    applyMonitorDisplay();
}

void TFormHlav::ApplyLanguageCaptions()
{
    const int language = messages_.language();
    updateCaption();

    for (const UiText& row : captionTexts()) {
        const QString text = QString::fromStdString(uiTextFor(row, language));
        for (QObject* target : findChildren<QObject*>(QString::fromLatin1(row.object)))
            setCaption(target, text);
    }
    for (const UiText& row : hintTexts()) {
        const std::string hint = uiTextFor(row, language);
        for (QObject* target : findChildren<QObject*>(QString::fromLatin1(row.object)))
            setHint(target, hint);
    }
    // The tool bar buttons carry the short word of their menu entry.
    const std::pair<const char*, const char*> buttonWords[] = {
        {"SpeedButton6", "MenuNew"}, {"SpeedButtonOpen", "MenuOpen"}, {"SpeedButtonSave", "MenuSave"},
        {"SpeedButtonPrint", "MenuPrint"}, {"SpeedButtonZpet", "MenuZpet"}, {"SpeedButtonZnovu", "MenuZnovu"}};
    for (const auto& [button, entry] : buttonWords)
        if (auto* target = findChild<QAbstractButton*>(QString::fromLatin1(button)))
            target->setText(action(entry)->text().remove(QLatin1Char('&')));

    if (PageControl1)
        for (int page = 0; page < PageControl1->count(); ++page)
            PageControl1->setTabText(page, QString::fromStdString(tabCaption(page, language)));
}

}  // namespace kestrin::ui

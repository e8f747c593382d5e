#pragma once
// The texts the language routine puts directly on the window's controls:
// menu captions, hints, tab captions and the captions of the window's own
// labels and boxes, each in English, German, French and Czech. The message
// table (messages.h) holds the texts that messages and labels are composed
// from; this table holds the ones bound to one control. Texts are UTF-8.

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace kestrin {

struct UiText {
    const char* object;                 // objectName of the control or menu entry
    std::array<const char*, 4> text;    // English, German, French, Czech; nullptr = the English one
};

// The text of `row` in `language`; a language without its own wording, or a
// language outside 0..3, gets the English text.
std::string uiTextFor(const UiText& row, int language);

// Captions of menus, menu entries and buttons.
std::span<const UiText> captionTexts();
// Hints (tool tip and status bar). A hint holding '|' is "short|long".
std::span<const UiText> hintTexts();

// The tab caption of page 0..18 in `language`: the map tab words with their
// " 1" … " IAP", and the form captions of "Race" and "Monitor".
std::string tabCaption(int page, int language);

// Captions the routine leaves alone, as the form has them.
std::span<const UiText> formCaptions();

// The about box caption: "About " / "Über Programm " / "Information " /
// "O programu " followed by "Kestrin_2007".
std::string aboutCaption(int language);

// The hint split at its bar: the tool tip is the part before it, the status
// bar text the part after it; without a bar both are the whole hint.
struct HintParts {
    std::string toolTip;
    std::string statusTip;
};
HintParts splitHint(std::string_view hint);

}  // namespace kestrin

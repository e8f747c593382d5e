#pragma once
// The small decisions of the file commands that do not need a window:
// whether New is available for the bike shown, and whether the commands for
// the actual page are.

namespace kestrin {

class Document;

// New does nothing while the bike list would show its separator line (a
// bike code without an entry of its own).
bool newCommandAvailable(const Document& doc);

// "New for actual page" and "Open for actual page" do nothing on the
// bank-A injection pages (Inj-1A .. Inj-4A) while the maps are coupled:
// coupled maps are edited through Inj-1A as one.
bool actualPageCommandAvailable(const Document& doc);

}  // namespace kestrin

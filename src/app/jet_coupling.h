#pragma once
// The jet coupling commands of the "Jet 1234" menu and what follows from the
// mode on the window: which injection tabs exist and which entry is checked.

namespace kestrin {

class Document;

enum class JetCoupling { Separate = 0, Coupled = 1, AllEqual = 2 };

// Sets JetCouplingMode. Coupled and 1=2=3=4 take the Inj-1A RPM axis into
// Inj-2A; 1=2=3=4 moves the active page from Inj-2A .. Inj-4A to Inj-1A.
// Separate and Coupled run the consistency rules. The caller shows the page
// and records the change.
void SetJetCoupling(Document& doc, JetCoupling mode);

// Whether the tab of `page` is shown: Inj-2A, Inj-3A and Inj-4A exist only
// for as many cylinders and not while all four maps are one.
bool pageTabVisible(const Document& doc, int page);

}  // namespace kestrin

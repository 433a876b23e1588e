#pragma once

namespace qvx {

// Lets a screen reader over AT-SPI hear a combo box's current item, when the
// box gets the focus and when the arrow keys change it. Orca reads the item
// of a combo box through a selection interface, which Qt 6.4 does not offer,
// and ignores the name changes Qt sends; it does read a text the box holds,
// and speaks new text that is also selected. So each combo box holds its
// current item as a read-only text, all of it selected, and announces a new
// item as inserted text. Safe to call more than once; call it before the
// combo boxes are first asked for.
void InstallComboBoxAccessibility();

}  // namespace qvx

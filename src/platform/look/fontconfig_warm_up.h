#pragma once

namespace serialix {

// Fontconfig reads its configuration and the list of installed fonts when a program first asks
// for a font: about a fifth of the work before the main window shows. Called on a thread of its
// own before the application object exists, it does that reading while the toolkit starts and
// connects to the display. When the toolkit asks first, fontconfig reads for it as well and keeps
// whichever reading ends first. A failure is the toolkit's to report: it initialises fontconfig again.
void WarmUpFontconfig();

}  // namespace serialix

// Captions of fixed-size option buttons and check boxes that stay whole whatever style the
// desktop sets, in the face their parent gives them.
#pragma once

#include <vector>

class QAbstractButton;
class QFont;
class QLabel;
class QString;

namespace serialix {

// Whenever one of the buttons is polished or its style or font changes, the buttons' font shrinks
// half a point at a time (to 6 points at the least) until every caption fits beside its indicator
// in the room the style leaves within the button's width. The buttons of one group share the
// size; captions that fit keep their parent's font. The face is always the parent's, also where
// a style sheet reaches the buttons (the toolkit would then resolve the desktop's font instead, and
// qt6ct, for instance, gives every widget class a font of its own).
void KeepCaptionsWhole(std::vector<QAbstractButton*> buttons);

// True when the caption, in `button`'s font, fits the room its style gives the caption.
bool CaptionFits(const QAbstractButton* button);

// Gives a fixed-size label the font in which `caption` fits its width: `designed`, shrunk half a
// point at a time (to 6 points at the least), so the control to its right, which starts where
// the label ends, never covers the last character. The caption itself is not set.
void FitLabelFont(QLabel* label, const QString& caption, const QFont& designed);

}  // namespace serialix

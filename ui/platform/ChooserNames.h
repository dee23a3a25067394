#pragma once

class QFontDialog;
class QPrintDialog;

// Names, in Russian, for the controls of Qt's choosers that Qt leaves without one, so that a screen reader has
// something to say for each. Qt gives these controls no object names; they are found by what Qt ties them to, and
// a control that cannot be told apart keeps Qt's (empty) name rather than a wrong one.
void nameFontChooserControls(QFontDialog& chooser);
void namePrintChooserControls(QPrintDialog& chooser);

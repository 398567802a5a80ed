#pragma once
// The genre combo boxes take no keyboard input: keys and typed characters
// never change their text or their choice, so a genre is picked from the
// list with the mouse. Tab still moves on, and Esc still reaches the window.

class QComboBox;

namespace GenreCombo {

void ignoreKeyboard(QComboBox* combo);

} // namespace GenreCombo

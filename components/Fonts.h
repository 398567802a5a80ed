#pragma once
// The forms ask for the Japanese system faces by name. Linux desktops do not
// have them, so we map the names to the metric-alike IPA fonts; the names stay
// in the forms and a machine that has the real faces keeps using them.

// Installs the substitutions. Safe to call more than once; call it after the
// QApplication exists and before the first window is built.
void InstallFontSubstitutions();

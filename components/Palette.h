#pragma once
// The component palette: each component unit's Register routine adds its
// classes to a named page, and tools (the Designer plugin, tests) ask which
// classes stand on which page.

#include <QString>
#include <QStringList>

namespace Palette {

// Adds the class names to the page, keeping the order of first registration;
// registering a class twice on the same page keeps one entry.
void RegisterComponents(const QString& page, const QStringList& classNames);

// Pages in the order they were first used.
QStringList Pages();

// The classes on a page; empty for a page nobody registered on.
QStringList ComponentsOn(const QString& page);

// Forgets everything; for tests.
void Clear();

} // namespace Palette

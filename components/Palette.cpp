#include "Palette.h"

#include <utility>
#include <vector>

namespace Palette {
namespace {

std::vector<std::pair<QString, QStringList>>& registry()
{
    static std::vector<std::pair<QString, QStringList>> pages;
    return pages;
}

} // namespace

void RegisterComponents(const QString& page, const QStringList& classNames)
{
    auto& pages = registry();
    auto it = pages.begin();
    while (it != pages.end() && it->first != page)
        ++it;
    if (it == pages.end()) {
        pages.emplace_back(page, QStringList());
        it = pages.end() - 1;
    }
    for (const QString& name : classNames) {
        if (!it->second.contains(name))
            it->second.append(name);
    }
}

QStringList Pages()
{
    QStringList names;
    for (const auto& page : registry())
        names.append(page.first);
    return names;
}

QStringList ComponentsOn(const QString& page)
{
    for (const auto& entry : registry()) {
        if (entry.first == page)
            return entry.second;
    }
    return {};
}

void Clear()
{
    registry().clear();
}

} // namespace Palette

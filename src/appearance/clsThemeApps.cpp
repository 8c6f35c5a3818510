#include "appearance/clsThemeApps.h"

#include <utility>

void clsThemeApps::Clone(const clsThemeApps& src)
{
    // Counted first, so cloning a collection into itself copies each theme once.
    const int n = src.Count();
    for (int i = 1; i <= n; ++i)
        Add()->Clone(*src.Item(i));
}

clsThemeApp* clsThemeApps::Add()
{
    m_items.push_back(std::make_unique<clsThemeApp>());
    return m_items.back().get();
}

clsThemeApp* clsThemeApps::Item(int index)
{
    return inRange(index) ? m_items[static_cast<std::size_t>(index - 1)].get() : nullptr;
}

const clsThemeApp* clsThemeApps::Item(int index) const
{
    return inRange(index) ? m_items[static_cast<std::size_t>(index - 1)].get() : nullptr;
}

std::vector<clsThemeApp*> clsThemeApps::NewEnum() const
{
    std::vector<clsThemeApp*> themes;
    themes.reserve(m_items.size());
    for (const auto& theme : m_items)
        themes.push_back(theme.get());
    return themes;
}

void clsThemeApps::Remove(int index)
{
    if (inRange(index))
        m_items.erase(m_items.begin() + (index - 1));
}

void clsThemeApps::SwapItems(int a, int b)
{
    // Taking b out and in after a, then a out and in after b - 1, comes to a plain
    // exchange of the two places.
    if (!inRange(a) || !inRange(b) || a == b)
        return;
    std::swap(m_items[static_cast<std::size_t>(a - 1)], m_items[static_cast<std::size_t>(b - 1)]);
}

#pragma once

#include "appearance/clsThemeApp.h"

#include <memory>
#include <vector>

// An ordered collection of themes, positions counted from 1. The collection owns its
// themes; a theme keeps its address while it stays in the collection, so a pointer from
// Item stays good across Add.
class clsThemeApps
{
    using Store = std::vector<std::unique_ptr<clsThemeApp>>;

public:
    clsThemeApps() = default;
    clsThemeApps(clsThemeApps&&) noexcept = default;
    clsThemeApps& operator=(clsThemeApps&&) noexcept = default;
    // Copies are always deliberate: see Clone.
    clsThemeApps(const clsThemeApps&) = delete;
    clsThemeApps& operator=(const clsThemeApps&) = delete;

    // Appends a deep copy of every theme of src; themes already here stay.
    void Clone(const clsThemeApps& src);
    // A new, empty theme at the end.
    clsThemeApp* Add();
    int Count() const { return static_cast<int>(m_items.size()); }
    // The theme at a position from 1; null outside 1..Count().
    clsThemeApp* Item(int index);
    const clsThemeApp* Item(int index) const;
    // The themes in order.
    std::vector<clsThemeApp*> NewEnum() const;
    // Later themes move up by one. A position out of range changes nothing.
    void Remove(int index);
    // Exchanges two themes and leaves every other where it is. Positions out of range
    // change nothing.
    void SwapItems(int a, int b);

    class const_iterator
    {
    public:
        using difference_type = std::ptrdiff_t;
        using value_type = clsThemeApp;

        const_iterator() = default;
        explicit const_iterator(Store::const_iterator it) : m_it(it) {}
        clsThemeApp& operator*() const { return **m_it; }
        clsThemeApp* operator->() const { return m_it->get(); }
        const_iterator& operator++()
        {
            ++m_it;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator old = *this;
            ++m_it;
            return old;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        Store::const_iterator m_it;
    };
    const_iterator begin() const { return const_iterator(m_items.begin()); }
    const_iterator end() const { return const_iterator(m_items.end()); }

private:
    bool inRange(int index) const { return index >= 1 && index <= Count(); }

    Store m_items;
};

#pragma once

#include "appearance/clsThemeObj.h"

#include <QString>

// A named theme: one look for the folder tree, one for the link list. The theme owns
// both parts for its whole life; callers change a theme through its parts.
class clsThemeApp
{
public:
    QString Name() const { return m_name; }
    void SetName(const QString& v) { m_name = v; }

    clsThemeObj& LvwTheme() { return m_lvwTheme; }
    const clsThemeObj& LvwTheme() const { return m_lvwTheme; }
    // Copies the values in; the part itself stays this theme's own.
    void SetLvwTheme(const clsThemeObj& v) { m_lvwTheme.Clone(v); }
    clsThemeObj& TvwTheme() { return m_tvwTheme; }
    const clsThemeObj& TvwTheme() const { return m_tvwTheme; }
    void SetTvwTheme(const clsThemeObj& v) { m_tvwTheme.Clone(v); }

    // Deep copy of src into this theme's existing parts.
    void Clone(const clsThemeApp& src);

    bool operator==(const clsThemeApp&) const = default;

private:
    QString m_name;
    clsThemeObj m_lvwTheme;
    clsThemeObj m_tvwTheme;
};

#include "appearance/clsThemeApp.h"

void clsThemeApp::Clone(const clsThemeApp& src)
{
    m_name = src.m_name;
    m_lvwTheme.Clone(src.m_lvwTheme);
    m_tvwTheme.Clone(src.m_tvwTheme);
}

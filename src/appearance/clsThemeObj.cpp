#include "appearance/clsThemeObj.h"

#include "platform/TextFields.h"
#include "platform/VbConvert.h"

QString clsThemeObj::GetFontString() const
{
    QString s = m_fontName + TextFields::Tab + QString::number(m_fontSize) + TextFields::Tab;
    if (m_fontBold)
        s += u'B';
    if (m_fontItalic)
        s += u'I';
    return s;
}

void clsThemeObj::Clone(const clsThemeObj& src)
{
    m_objType = src.m_objType;
    m_name = src.m_name;
    m_fontName = src.m_fontName;
    m_fontBold = src.m_fontBold;
    m_fontItalic = src.m_fontItalic;
    m_fontSize = src.m_fontSize;
    m_backColor = src.m_backColor;
    m_fontColor = src.m_fontColor;
}

void clsThemeObj::SetFontString(const QString& s)
{
    QString style;
    if (!s.isEmpty()) {
        m_fontName = TextFields::GetField(s, TextFields::Tab, 1);
        m_fontSize = WholeSize(TextFields::GetField(s, TextFields::Tab, 2));
        style = TextFields::GetField(s, TextFields::Tab, 3);
    }
    // Exact matches only: "IB" or "b" were never written by us, so they change nothing.
    if (style.isEmpty()) {
        m_fontBold = false;
        m_fontItalic = false;
    } else if (style == QLatin1String("I")) {
        m_fontBold = false;
        m_fontItalic = true;
    } else if (style == QLatin1String("B")) {
        m_fontBold = true;
        m_fontItalic = false;
    } else if (style == QLatin1String("BI")) {
        m_fontBold = true;
        m_fontItalic = true;
    }
}

std::int16_t clsThemeObj::WholeSize(const QString& text)
{
    return VbConvert::ToInt16(VbConvert::Val(text)).value_or(0);
}

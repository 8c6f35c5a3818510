#pragma once

#include <QString>

#include <cstdint>

// How one pane looks: font, background and text colour. Colours are 0x00BBGGRR.
class clsThemeObj
{
public:
    // Face, TAB, whole-number size, TAB, then "B" when bold and "I" when italic.
    QString GetFontString() const;

    QString ObjType() const { return m_objType; }
    void SetObjType(const QString& v) { m_objType = v; }
    QString Name() const { return m_name; }
    void SetName(const QString& v) { m_name = v; }
    QString FontName() const { return m_fontName; }
    void SetFontName(const QString& v) { m_fontName = v; }
    bool FontBold() const { return m_fontBold; }
    void SetFontBold(bool v) { m_fontBold = v; }
    bool FontItalic() const { return m_fontItalic; }
    void SetFontItalic(bool v) { m_fontItalic = v; }
    std::int16_t FontSize() const { return m_fontSize; }
    void SetFontSize(std::int16_t v) { m_fontSize = v; }
    std::int32_t BackColor() const { return m_backColor; }
    void SetBackColor(std::int32_t v) { m_backColor = v; }
    std::int32_t FontColor() const { return m_fontColor; }
    void SetFontColor(std::int32_t v) { m_fontColor = v; }

    void Clone(const clsThemeObj& src);
    // An empty text keeps face and size and clears both flags. Only the styles "", "I",
    // "B" and "BI" set the flags; any other style leaves them as they are.
    void SetFontString(const QString& s);

    // A size text read as a whole number, halves to even; 0 when it has no leading
    // number or does not fit.
    static std::int16_t WholeSize(const QString& text);

    bool operator==(const clsThemeObj&) const = default;

private:
    QString m_objType;
    QString m_name;
    QString m_fontName;
    bool m_fontBold = false;
    bool m_fontItalic = false;
    std::int16_t m_fontSize = 0;
    std::int32_t m_backColor = 0;
    std::int32_t m_fontColor = 0;
};

#include "appearance/Themes.h"

#include "appearance/BranchArrowStyle.h"
#include "appearance/FontFaces.h"
#include "appearance/clsThemeApp.h"
#include "appearance/clsThemeApps.h"
#include "core/clsOptions.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "platform/ColorRef.h"
#include "platform/TextFields.h"
#include "platform/VbConvert.h"

#include <QTreeWidget>

#include <cmath>

namespace Themes {

namespace {

// Beyond this a "size" is damage, not a wish for a very large font.
constexpr double kLargestPointSize = 1000.0;

// A colour the panes cannot show is shown, and stored, as black.
QColor paneColor(std::int32_t value)
{
    return ColorRef::ToQColor(value >= 0 && value <= 0xFFFFFF ? value : 0);
}

} // namespace

QString DefaultFontString()
{
    return QStringLiteral("MS Sans Serif\t10\tB");
}

void InitDefaultTheme(clsThemeApp& theme, const QString& name)
{
    theme.SetName(name);
    for (clsThemeObj* part : {&theme.LvwTheme(), &theme.TvwTheme()}) {
        part->SetFontString(DefaultFontString());
        part->SetBackColor(0xFFFFFF);
        part->SetFontColor(0);
    }
}

std::int32_t ParseColor(const QString& text)
{
    if (text.contains(u'-')) {
        std::int32_t color = 0;
        std::int32_t weight = 1;
        for (int field = 1; field <= 3; ++field) {
            const double part =
                VbConvert::RoundHalfEven(VbConvert::Val(TextFields::GetField(text, u'-', field)));
            if (!(part >= 0 && part <= 255))
                return 0;
            color += static_cast<std::int32_t>(part) * weight;
            weight *= 256;
        }
        return color;
    }
    return VbConvert::ToInt32(VbConvert::Val(text)).value_or(0);
}

void ApplyFontString(QWidget* control, const QString& fontString)
{
    QString name;
    QString size;
    QString style;
    if (!fontString.isEmpty()) {
        name = TextFields::GetField(fontString, TextFields::Tab, 1);
        size = TextFields::GetField(fontString, TextFields::Tab, 2);
        style = TextFields::GetField(fontString, TextFields::Tab, 3);
    }
    if (!control)
        return;

    QFont font = control->font();
    if (!name.isEmpty())
        font.setFamily(FontFaces::Resolve(name));
    if (!size.isEmpty()) {
        bool ok = false;
        const double points = size.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(points) || points <= 0 || points > kLargestPointSize) {
            control->setFont(font); // the face was good and stays
            return;
        }
        font.setPointSizeF(points);
    }
    font.setBold(style.contains(u'B', Qt::CaseInsensitive));
    font.setItalic(style.contains(u'I', Qt::CaseInsensitive));
    control->setFont(font);
    control->update();
}

void ApplyTheme(const clsThemeApp& theme, clsOptions& options, FavoritesTree& tree,
                FavoritesList& list)
{
    const clsThemeObj& lvw = theme.LvwTheme();
    SetPaneColors(list.Widget(), lvw.FontColor(), lvw.BackColor());
    options.SetlvwForeColor(lvw.FontColor());
    options.SetlvwBackColor(lvw.BackColor());
    // Our icons are drawn with transparent backgrounds, so they need no pane colour.
    SetItemColors(list, lvw.FontColor());
    options.SetlvwFont(lvw.GetFontString());
    ApplyFontString(list.Widget(), options.lvwFont());

    const clsThemeObj& tvw = theme.TvwTheme();
    options.SettvwForeColor(tvw.FontColor());
    options.SettvwBackColor(tvw.BackColor());
    SetNodeColors(tree, tvw.FontColor(), tvw.BackColor());
    SetTreeBackColor(tree.Widget(), tvw.BackColor());
    options.SettvwFont(tvw.GetFontString());
    ApplyFontString(tree.Widget(), options.tvwFont());
}

void LoadThemeFromOptions(clsThemeApp& theme, const clsOptions& options)
{
    clsThemeObj& lvw = theme.LvwTheme();
    lvw.SetFontColor(options.lvwForeColor());
    lvw.SetBackColor(options.lvwBackColor());
    lvw.SetFontString(options.lvwFont());
    clsThemeObj& tvw = theme.TvwTheme();
    tvw.SetFontColor(options.tvwForeColor());
    tvw.SetBackColor(options.tvwBackColor());
    tvw.SetFontString(options.tvwFont());
}

int FindMatchingTheme(const clsThemeApps& themes, const QString& name, const clsOptions& options)
{
    for (int i = 1; i <= themes.Count(); ++i) {
        const clsThemeApp& theme = *themes.Item(i);
        if (!name.isEmpty() && theme.Name() != name)
            continue;
        const clsThemeObj& lvw = theme.LvwTheme();
        const clsThemeObj& tvw = theme.TvwTheme();
        if (options.lvwBackColor() == lvw.BackColor() &&
            options.lvwForeColor() == lvw.FontColor() &&
            options.tvwBackColor() == tvw.BackColor() &&
            options.tvwForeColor() == tvw.FontColor() && options.lvwFont() == lvw.GetFontString() &&
            options.tvwFont() == tvw.GetFontString())
            return i;
    }
    return 0;
}

int FindThemeByName(const clsThemeApps& themes, const QString& name)
{
    for (int i = 1; i <= themes.Count(); ++i) {
        if (themes.Item(i)->Name() == name)
            return i;
    }
    return 1;
}

void SetTreeBackColor(QTreeWidget* tree, std::int32_t color)
{
    if (!tree)
        return;
    const QColor back = paneColor(color);
    for (QWidget* widget : {static_cast<QWidget*>(tree), tree->viewport()}) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Base, back);
        widget->setPalette(palette);
    }
    tree->viewport()->update();
}

void SetPaneColors(QWidget* pane, std::int32_t fore, std::int32_t back)
{
    if (!pane)
        return;
    QPalette palette = pane->palette();
    palette.setColor(QPalette::Base, paneColor(back));
    palette.setColor(QPalette::Text, paneColor(fore));
    pane->setPalette(palette);
}

void SetNodeColors(FavoritesTree& tree, std::int32_t fore, std::int32_t back)
{
    const QColor treeFore = paneColor(fore);
    const QColor treeBack = paneColor(back);
    for (QTreeWidgetItem* node : tree.Nodes()) {
        node->setForeground(0, treeFore);
        node->setBackground(0, treeBack);
    }
    tree.SetNodeColors(treeFore, treeBack);
    // The expand arrows are drawn in the tree's text colour.
    if (QTreeWidget* widget = tree.Widget()) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Text, treeFore);
        widget->setPalette(palette);
        BranchArrowStyle::Install(widget);
    }
}

void SetItemColors(FavoritesList& list, std::int32_t fore)
{
    list.SetForeground(paneColor(fore));
}

std::int32_t TreeBackColor(const clsOptions& options)
{
    return options.tvwBackColor();
}

void ChooseStartupTheme(clsThemeApps& allThemes, clsOptions& options, FavoritesTree& tree,
                        FavoritesList& list)
{
    if (!options.ThemeName().isEmpty()) {
        const int position = FindThemeByName(allThemes, options.ThemeName());
        if (const clsThemeApp* theme = allThemes.Item(position))
            ApplyTheme(*theme, options, tree, list);
        return;
    }
    // No named theme: the settings stand, and "(Custom)" keeps them.
    if (clsThemeApp* custom = allThemes.Item(1)) {
        LoadThemeFromOptions(*custom, options);
        ApplyTheme(*custom, options, tree, list);
    }
}

} // namespace Themes

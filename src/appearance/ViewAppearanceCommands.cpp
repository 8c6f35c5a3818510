#include "appearance/ViewAppearanceCommands.h"

#include "appearance/Themes.h"
#include "appearance/frmColor.h"
#include "appearance/frmFonts.h"
#include "appearance/frmThemes.h"
#include "core/Help.h"
#include "core/clsOptions.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "platform/Prompts.h"
#include "platform/VbConvert.h"

#include <QFontInfo>
#include <QTreeView>
#include <QTreeWidget>

ViewAppearanceCommands::ViewAppearanceCommands(MainWindow window, Prompts& prompts)
    : m_window(std::move(window)), m_prompts(prompts)
{
}

bool ViewAppearanceCommands::onList() const
{
    return m_window.activePane == QLatin1String("L");
}

QString ViewAppearanceCommands::PaneFontString(const QWidget* pane)
{
    const QFont font = pane->font();
    // A font set in pixels has no point size of its own; the one it shows in stands in.
    double size = font.pointSizeF();
    if (size <= 0)
        size = QFontInfo(font).pointSizeF();
    return font.family() + u'\t' + VbConvert::FromNumber(size) + u'\t';
}

void ViewAppearanceCommands::FontClick()
{
    clsOptions& options = m_window.options;
    const bool list = onList();
    QWidget* pane = list ? static_cast<QWidget*>(m_window.list.Widget()) : m_window.tree.Widget();
    const auto store = [&](const QString& font) {
        if (list)
            options.SetlvwFont(font);
        else
            options.SettvwFont(font);
    };
    QString font = list ? options.lvwFont() : options.tvwFont();
    if (font.isEmpty()) {
        // Kept even when the dialog is cancelled.
        font = PaneFontString(pane);
        store(font);
    }
    if (!frmFonts::Choose(m_prompts, m_window.owner, font))
        return;
    store(font);
    Themes::ApplyFontString(pane, font);
    // A named theme applied at the next start would put its own font back.
    options.SetThemeName(QString());
}

void ViewAppearanceCommands::ColorClick()
{
    clsOptions& options = m_window.options;
    if (onList()) {
        std::int32_t fore = options.lvwForeColor();
        std::int32_t back = options.lvwBackColor();
        if (!frmColor::Choose(m_prompts, m_window.owner, fore, back))
            return;
        Themes::SetPaneColors(m_window.list.Widget(), fore, back);
        options.SetlvwForeColor(fore);
        options.SetlvwBackColor(back);
        Themes::SetItemColors(m_window.list, fore);
    } else {
        std::int32_t fore = options.tvwForeColor();
        std::int32_t back = options.tvwBackColor();
        if (!frmColor::Choose(m_prompts, m_window.owner, fore, back))
            return;
        options.SettvwForeColor(fore);
        options.SettvwBackColor(back);
        Themes::SetNodeColors(m_window.tree, fore, Themes::TreeBackColor(options));
        Themes::SetTreeBackColor(m_window.tree.Widget(), back);
    }
    options.SetThemeName(QString());
}

void ViewAppearanceCommands::ThemesClick()
{
    MainWindow& w = m_window;
    frmThemes dialog(
        w.allThemes, w.options, w.themeFiles, m_prompts,
        [&w](const clsThemeApp& theme) { Themes::ApplyTheme(theme, w.options, w.tree, w.list); },
        w.owner);
    w.help.Serve(dialog);
    m_prompts.ShowModal(dialog);
}

#include "appearance/frmThemes.h"

#include "appearance/Themes.h"
#include "appearance/frmColor.h"
#include "appearance/frmFonts.h"
#include "core/AppInfo.h"
#include "core/HelpTopics.h"
#include "core/clsOptions.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "platform/Prompts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kCustom = QStringLiteral("(Custom)");
const QSize kSampleSize(210, 170);

// A TAB would split the theme's line in the theme file, and a line break end it; both
// become blanks, as the file would write them.
QString cleanName(QString name)
{
    for (QChar& c : name) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return name;
}

} // namespace

frmThemes::frmThemes(clsThemeApps& allThemes, clsOptions& options, const ThemeLocations& themeFiles,
                     Prompts& prompts, ApplyHook applyTheme, QWidget* parent)
    : QDialog(parent), m_allThemes(allThemes), m_options(options), m_themeFiles(themeFiles),
      m_prompts(prompts), m_applyTheme(std::move(applyTheme))
{
    setObjectName(QStringLiteral("frmThemes"));
    setWindowTitle(QStringLiteral("Themes"));
    m_dialogThemes.Clone(m_allThemes);
    // Whatever happened to the program's themes, "(Custom)" heads the list.
    if (m_dialogThemes.Count() == 0)
        Themes::InitDefaultTheme(*m_dialogThemes.Add(), kCustom);
    buildWidgets();
    buildSamples();

    RefreshPreview();
    RefreshThemes();
    const int position =
        Themes::FindMatchingTheme(m_dialogThemes, m_options.ThemeName(), m_options);
    if (position == 0)
        Themes::LoadThemeFromOptions(*m_dialogThemes.Item(1), m_options);
    selectTheme(position == 0 ? 0 : position - 1);
}

frmThemes::~frmThemes() = default;

QPushButton* frmThemes::addButton(const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

void frmThemes::buildWidgets()
{
    m_cboTheme = new QComboBox(this);
    m_cboTheme->setObjectName(QStringLiteral("cboTheme"));
    m_cboTheme->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    m_cmdOK = addButton("cmdOK", QStringLiteral("OK"));
    m_cmdOK->setDefault(true);
    m_cmdCancel = addButton("cmdCancel", QStringLiteral("Cancel"));
    m_cmdApply = addButton("cmdApply", QStringLiteral("&Apply"));
    m_cmdNew = addButton("cmdNew", QStringLiteral("&New..."));
    m_cmdSaveAs = addButton("cmdSaveAs", QStringLiteral("&Save As..."));
    m_cmdRename = addButton("cmdRename", QStringLiteral("&Rename"));
    m_cmdDelete = addButton("cmdDelete", QStringLiteral("&Delete"));
    m_cmdHelp = addButton("cmdHelp", QStringLiteral("Help"));

    auto* left = new QVBoxLayout;
    left->addWidget(m_cboTheme);
    left->addWidget(buildPreview());
    left->addStretch();
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_cmdOK, m_cmdCancel, m_cmdApply})
        buttons->addWidget(button);
    buttons->addSpacing(12);
    for (QPushButton* button : {m_cmdNew, m_cmdSaveAs, m_cmdRename, m_cmdDelete})
        buttons->addWidget(button);
    buttons->addSpacing(12);
    buttons->addWidget(m_cmdHelp);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(left);
    layout->addLayout(buttons);

    connect(m_cboTheme, &QComboBox::currentIndexChanged, this, &frmThemes::cboThemeClick);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmThemes::cmdOKClick);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmThemes::cmdCancelClick);
    connect(m_cmdApply, &QPushButton::clicked, this, &frmThemes::cmdApplyClick);
    connect(m_cmdNew, &QPushButton::clicked, this, &frmThemes::cmdNewClick);
    connect(m_cmdSaveAs, &QPushButton::clicked, this, &frmThemes::cmdSaveAsClick);
    connect(m_cmdRename, &QPushButton::clicked, this, &frmThemes::cmdRenameClick);
    connect(m_cmdDelete, &QPushButton::clicked, this, &frmThemes::cmdDeleteClick);
    connect(m_cmdHelp, &QPushButton::clicked, this, &frmThemes::cmdHelpClick);
    connect(m_cmdTvwFont, &QPushButton::clicked, this, &frmThemes::cmdTvwFontClick);
    connect(m_cmdLvwFont, &QPushButton::clicked, this, &frmThemes::cmdLvwFontClick);
    connect(m_cmdTvwColor, &QPushButton::clicked, this, &frmThemes::cmdTvwColorClick);
    connect(m_cmdLvwColor, &QPushButton::clicked, this, &frmThemes::cmdLvwColorClick);
}

QGroupBox* frmThemes::buildPreview()
{
    auto* frame = new QGroupBox(QStringLiteral("Preview"), this);
    frame->setObjectName(QStringLiteral("fraPreview"));
    m_tvwPreview = new QTreeWidget(frame);
    m_tvwPreview->setObjectName(QStringLiteral("tvwPreview"));
    m_tvwPreview->setHeaderHidden(true);
    m_lvwPreview = new QTreeView(frame);
    m_lvwPreview->setObjectName(QStringLiteral("lvwPreview"));
    m_lvwPreview->setRootIsDecorated(false);
    for (QTreeView* sample : {static_cast<QTreeView*>(m_tvwPreview), m_lvwPreview}) {
        sample->setFixedSize(kSampleSize);
        sample->setIconSize(QSize(16, 16));
        sample->setUniformRowHeights(true);
    }
    m_cmdTvwFont = new QPushButton(QStringLiteral("Font..."), frame);
    m_cmdTvwFont->setObjectName(QStringLiteral("cmdTvwFont"));
    m_cmdTvwColor = new QPushButton(QStringLiteral("Color..."), frame);
    m_cmdTvwColor->setObjectName(QStringLiteral("cmdTvwColor"));
    m_cmdLvwFont = new QPushButton(QStringLiteral("Font..."), frame);
    m_cmdLvwFont->setObjectName(QStringLiteral("cmdLvwFont"));
    m_cmdLvwColor = new QPushButton(QStringLiteral("Color..."), frame);
    m_cmdLvwColor->setObjectName(QStringLiteral("cmdLvwColor"));

    auto* grid = new QGridLayout(frame);
    grid->addWidget(m_tvwPreview, 0, 0, 1, 2);
    grid->addWidget(m_lvwPreview, 0, 2, 1, 2);
    grid->addWidget(m_cmdTvwFont, 1, 0);
    grid->addWidget(m_cmdTvwColor, 1, 1);
    grid->addWidget(m_cmdLvwFont, 1, 2);
    grid->addWidget(m_cmdLvwColor, 1, 3);
    return frame;
}

void frmThemes::buildSamples()
{
    m_tree = std::make_unique<FavoritesTree>(m_tvwPreview, m_icons);
    QTreeWidgetItem* root =
        m_tree->AddRoot(QStringLiteral("Normal View"), QString(), QStringLiteral("Favorites"));
    for (const char* folder :
         {"Accounts", "Business", "Computers", "Education", "Finance", "Games"})
        m_tree->AddNode(root, QString::fromLatin1(folder), QString(), QStringLiteral("Closed"),
                        QStringLiteral("Open"), QStringLiteral("Closed"), false);
    root->setExpanded(true);
    m_tree->Select(m_tree->FindNodeByText(QStringLiteral("Computers")));

    m_list = std::make_unique<FavoritesList>(m_lvwPreview, m_icons);
    m_list->AddColumn(QStringLiteral("Link Name"), m_list->ListWidth() * 95 / 100);
    QList<ListRow> rows;
    for (const char* link : {"ABC Computers", "Bill's PC Sales", "The Computer Warehouse",
                             "SuperTech Computers", "Two Guy Electronics"}) {
        ListRow row;
        row.Key = QLatin1Char('K') + QString::number(rows.size() + 1);
        row.Text = QString::fromLatin1(link);
        rows.append(row);
    }
    m_list->AddRows(std::move(rows));
}

clsThemeApp* frmThemes::SelectedTheme()
{
    const int position = m_cboTheme->currentIndex();
    return position < 0 ? nullptr : m_dialogThemes.Item(position + 1);
}

void frmThemes::RefreshPreview()
{
    const clsThemeApp* theme = SelectedTheme();
    if (!theme)
        return;
    const clsThemeObj& tvw = theme->TvwTheme();
    const clsThemeObj& lvw = theme->LvwTheme();
    Themes::ApplyFontString(m_tvwPreview, tvw.GetFontString());
    Themes::ApplyFontString(m_lvwPreview, lvw.GetFontString());
    Themes::SetTreeBackColor(m_tvwPreview, tvw.BackColor());
    Themes::SetNodeColors(*m_tree, tvw.FontColor(), tvw.BackColor());
    Themes::SetPaneColors(m_lvwPreview, lvw.FontColor(), lvw.BackColor());
    // Items coloured by an edit would otherwise keep that colour under the next theme.
    Themes::SetItemColors(*m_list, lvw.FontColor());
}

void frmThemes::RefreshThemes()
{
    m_allThemes = m_themeFiles.Read();
    const QSignalBlocker quiet(m_cboTheme);
    m_cboTheme->clear();
    for (const clsThemeApp& theme : m_dialogThemes)
        m_cboTheme->addItem(theme.Name());
    m_cboTheme->setCurrentIndex(-1);
}

void frmThemes::selectTheme(int position)
{
    {
        const QSignalBlocker quiet(m_cboTheme);
        m_cboTheme->setCurrentIndex(position);
    }
    cboThemeClick();
}

void frmThemes::cboThemeClick()
{
    RefreshPreview();
    // "(Custom)" is always there to fall back on: it keeps its name and its place.
    const bool named = m_cboTheme->currentIndex() >= 1;
    m_cmdRename->setEnabled(named);
    m_cmdDelete->setEnabled(named);
}

void frmThemes::SetFocusSafe(QWidget* control)
{
    if (control && control->isEnabled())
        control->setFocus();
}

QString frmThemes::askName(const QString& prompt, const QString& title, QString proposed,
                           int ownPosition)
{
    for (;;) {
        const QString name = cleanName(m_prompts.InputBox(this, prompt, title, proposed));
        if (name.isEmpty())
            return QString();
        bool taken = false;
        for (int i = 1; i <= m_dialogThemes.Count() && !taken; ++i)
            taken = i != ownPosition && m_dialogThemes.Item(i)->Name() == name;
        if (!taken)
            return name;
        m_prompts.MsgBox(
            this, QStringLiteral("Theme Name '") + name + QStringLiteral("' already exists."),
            Prompts::Buttons::Ok, Prompts::Icon::Exclamation, title);
        proposed = name;
    }
}

void frmThemes::cmdApplyClick()
{
    if (const clsThemeApp* theme = SelectedTheme(); theme && m_applyTheme)
        m_applyTheme(*theme);
    SetFocusSafe(m_cboTheme);
}

void frmThemes::cmdNewClick()
{
    const QString name = askName(QStringLiteral("Please enter new Theme Name:"),
                                 QStringLiteral("New Theme"), QStringLiteral("New Theme"), 0);
    if (name.isEmpty())
        return;
    Themes::InitDefaultTheme(*m_dialogThemes.Add(), name);
    m_cboTheme->addItem(name);
    selectTheme(m_cboTheme->count() - 1);
    SetFocusSafe(m_cboTheme);
}

void frmThemes::cmdSaveAsClick()
{
    const clsThemeApp* selected = SelectedTheme();
    if (!selected)
        return;
    const QString name = askName(QStringLiteral("Save Theme As:"), QStringLiteral("Save Theme As"),
                                 selected->Name() + QStringLiteral(" (Copy)"), 0);
    if (name.isEmpty())
        return;
    clsThemeApp* copy = m_dialogThemes.Add();
    copy->Clone(*selected);
    copy->SetName(name);
    m_cboTheme->addItem(name);
    selectTheme(m_cboTheme->count() - 1);
    SetFocusSafe(m_cboTheme);
}

void frmThemes::cmdRenameClick()
{
    const int position = m_cboTheme->currentIndex();
    clsThemeApp* selected = SelectedTheme();
    if (position < 1 || !selected)
        return;
    const QString name = askName(QStringLiteral("Rename Theme:"), QStringLiteral("Rename Theme"),
                                 selected->Name(), position + 1);
    if (name.isEmpty())
        return;
    selected->SetName(name);
    m_cboTheme->setItemText(position, name);
    SetFocusSafe(m_cboTheme);
}

void frmThemes::cmdDeleteClick()
{
    const int position = m_cboTheme->currentIndex();
    const clsThemeApp* selected = SelectedTheme();
    if (position < 1 || !selected)
        return;
    const QString text = QStringLiteral("Delete the following Theme:\r\n\r\n") + selected->Name() +
                         QStringLiteral("\r\n\r\nDo you want to continue?");
    if (m_prompts.MsgBox(this, text, Prompts::Buttons::OkCancel, Prompts::Icon::None,
                         QStringLiteral("Delete Theme"),
                         Prompts::Answer::Cancel) != Prompts::Answer::Ok)
        return;
    m_dialogThemes.Remove(position + 1);
    {
        const QSignalBlocker quiet(m_cboTheme);
        m_cboTheme->removeItem(position);
    }
    selectTheme(position - 1);
    SetFocusSafe(m_cboTheme);
}

void frmThemes::chooseFont(bool tree)
{
    clsThemeApp* theme = SelectedTheme();
    if (!theme)
        return;
    clsThemeObj& pane = tree ? theme->TvwTheme() : theme->LvwTheme();
    QString font = pane.GetFontString();
    if (!frmFonts::Choose(m_prompts, this, font))
        return;
    pane.SetFontString(font);
    Themes::ApplyFontString(tree ? static_cast<QWidget*>(m_tvwPreview) : m_lvwPreview,
                            pane.GetFontString());
}

void frmThemes::cmdTvwFontClick()
{
    chooseFont(true);
}

void frmThemes::cmdLvwFontClick()
{
    chooseFont(false);
}

void frmThemes::cmdTvwColorClick()
{
    clsThemeApp* theme = SelectedTheme();
    if (!theme)
        return;
    std::int32_t fore = theme->TvwTheme().FontColor();
    std::int32_t back = theme->TvwTheme().BackColor();
    if (!frmColor::Choose(m_prompts, this, fore, back))
        return;
    theme->TvwTheme().SetFontColor(fore);
    theme->TvwTheme().SetBackColor(back);
    Themes::SetNodeColors(*m_tree, fore, back);
    Themes::SetTreeBackColor(m_tvwPreview, back);
}

void frmThemes::cmdLvwColorClick()
{
    clsThemeApp* theme = SelectedTheme();
    if (!theme)
        return;
    std::int32_t fore = theme->LvwTheme().FontColor();
    std::int32_t back = theme->LvwTheme().BackColor();
    if (!frmColor::Choose(m_prompts, this, fore, back))
        return;
    Themes::SetPaneColors(m_lvwPreview, fore, back);
    theme->LvwTheme().SetFontColor(fore);
    theme->LvwTheme().SetBackColor(back);
    Themes::SetItemColors(*m_list, fore);
}

void frmThemes::cmdOKClick()
{
    if (const clsThemeApp* theme = SelectedTheme(); theme && m_applyTheme)
        m_applyTheme(*theme);
    m_allThemes = clsThemeApps();
    m_allThemes.Clone(m_dialogThemes);
    QString error;
    if (!m_themeFiles.Write(m_allThemes, &error)) {
        // The themes stay with the program for now; the user learns that the file did not
        // take them.
        m_prompts.Warn(
            this, QStringLiteral("Unable to complete the Save Themes operation.\r\n\r\n") + error,
            AppInfo::AppTitle);
    }
    m_options.SetThemeName(m_cboTheme->currentText());
    done(QDialog::Accepted);
}

void frmThemes::cmdCancelClick()
{
    done(QDialog::Rejected);
}

void frmThemes::cmdHelpClick()
{
    Q_EMIT helpRequested(HelpTopics::Themes);
}

#include "app/MainMenus.h"
#include "appearance/ColorSwatches.h"
#include "appearance/ThemeFile.h"
#include "appearance/ThemeLocations.h"
#include "appearance/Themes.h"
#include "appearance/frmColor.h"
#include "appearance/frmFonts.h"
#include "appearance/frmThemes.h"
#include "core/clsOptions.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesListView.h"
#include "favorites/FavoritesTree.h"
#include "platform/ColorRef.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

const char kThemeFile[] =
    "(Custom)\tDejaVu Sans\t10\t0\t0\t16777215\t0\tDejaVu Sans\t10\t0\t0\t16777215\t0\r\n"
    "Pumpkin\tMS Sans Serif\t10\t-1\t0\t1319739\t6730751\tDejaVu "
    "Sans\t10\t0\t0\t15070975\t14986\r\n"
    "Ocean\tDejaVu Serif\t11\t0\t0\t6110219\t16773337\tDejaVu "
    "Sans\t9\t0\t-1\t16512746\t7358987\r\n";

QStringList names(const clsThemeApps& themes)
{
    QStringList result;
    for (const clsThemeApp& theme : themes)
        result << theme.Name();
    return result;
}

void useSettingsOf(clsOptions& options, const clsThemeApp& theme)
{
    options.SetlvwFont(theme.LvwTheme().GetFontString());
    options.SettvwFont(theme.TvwTheme().GetFontString());
    options.SetlvwForeColor(theme.LvwTheme().FontColor());
    options.SetlvwBackColor(theme.LvwTheme().BackColor());
    options.SettvwForeColor(theme.TvwTheme().FontColor());
    options.SettvwBackColor(theme.TvwTheme().BackColor());
}

// A list written with ';' between its entries.
QStringList list(const char* text)
{
    return *text ? QString::fromUtf8(text).split(u';') : QStringList();
}

// Answers the Colour dialog: swatch 13 (blue) on the given tab, then OK.
int pickBlue(QDialog& d, int tab)
{
    auto& color = static_cast<frmColor&>(d);
    color.tabColor()->setCurrentIndex(tab);
    color.lblColorBoxClick(13);
    color.cmdOKClick();
    return d.result();
}

} // namespace

class TestAppearanceDialogs : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<clsOptions> m_options;
    clsThemeApps m_allThemes;
    QStringList m_applied;

    ScriptedPrompts& prompts() { return m_app->prompts; }
    ThemeLocations files() const { return ThemeLocations::ForProgram(m_app->env.Root() + "/bin"); }
    std::unique_ptr<frmThemes> openThemes()
    {
        return std::make_unique<frmThemes>(m_allThemes, *m_options, files(), prompts(),
                                           [this](const clsThemeApp& theme) {
                                               m_applied << theme.Name();
                                               useSettingsOf(*m_options, theme);
                                           });
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->env.Root()).File(QStringLiteral("bin/Themes.dat"), kThemeFile);
        m_allThemes = files().Read();
        m_options = std::make_unique<clsOptions>(m_app->registry, *m_app->shell, QString(),
                                                 m_app->env.Root() + QStringLiteral("/bin/tavoro"));
        m_options->Load();
        useSettingsOf(*m_options, *m_allThemes.Item(2));
        m_applied.clear();
    }
    void cleanup()
    {
        m_options.reset();
        m_app.reset();
    }

    // Lists have ';' between entries; "OK" among the inputs answers the delete question.
    void themesCommands_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("proposed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("themes");
        QTest::addColumn<QString>("shown");
        const char* const askDelete =
            "Delete Theme|Delete the following Theme:\r\n\r\nOcean\r\n\r\nDo you want to continue?";
        const struct
        {
            const char* name;
            int selected;
            const char *command, *inputs, *proposed, *messages, *themes, *shown;
        } rows[] = {
            {"new, duplicate then other case", 1, "new", "Pumpkin;pumpkin", "New Theme;Pumpkin",
             "New Theme|Theme Name 'Pumpkin' already exists.", "(Custom);Pumpkin;Ocean;pumpkin",
             "pumpkin"},
            {"save as a taken name, then another", 2, "saveas", "(Custom);Sea",
             "Ocean (Copy);(Custom)", "Save Theme As|Theme Name '(Custom)' already exists.",
             "(Custom);Pumpkin;Ocean;Sea", "Sea"},
            {"rename to a taken name", 1, "rename", "Ocean;Sea", "Pumpkin;Ocean",
             "Rename Theme|Theme Name 'Ocean' already exists.", "(Custom);Sea;Ocean", "Sea"},
            {"delete the last", 2, "delete", "OK", "", askDelete, "(Custom);Pumpkin", "Pumpkin"},
            {"delete custom refused", 0, "delete", "OK", "", "", "(Custom);Pumpkin;Ocean",
             "(Custom)"},
        };
        for (const auto& r : rows) {
            QTest::newRow(r.name) << r.selected << QString(r.command) << list(r.inputs)
                                  << list(r.proposed) << list(r.messages) << list(r.themes)
                                  << QString(r.shown);
        }
    }
    void themesCommands()
    {
        QFETCH(int, selected);
        QFETCH(QString, command);
        QFETCH(QStringList, inputs);
        auto dialog = openThemes();
        dialog->cboTheme()->setCurrentIndex(selected);
        const clsThemeApp before = *dialog->SelectedTheme();
        prompts().inputs.append(inputs);
        if (inputs.contains(QLatin1String("OK")))
            prompts().answers.enqueue(Prompts::Answer::Ok);
        const QHash<QString, void (frmThemes::*)()> commands{
            {"new", &frmThemes::cmdNewClick},
            {"saveas", &frmThemes::cmdSaveAsClick},
            {"rename", &frmThemes::cmdRenameClick},
            {"delete", &frmThemes::cmdDeleteClick}};
        (dialog.get()->*commands.value(command))();

        QStringList proposed, messages;
        for (const auto& input : prompts().inputPrompts)
            proposed << input.defaultText;
        QTEST(proposed, "proposed");
        for (const auto& message : prompts().messages) {
            messages << message.title + u'|' + message.text;
            QVERIFY(command != "delete" || message.defaultAnswer == Prompts::Answer::Cancel);
        }
        QTEST(messages, "messages");
        QTEST(names(dialog->DialogThemes()), "themes");
        QTEST(dialog->cboTheme()->currentText(), "shown");
        QCOMPARE(dialog->cboTheme()->count(), dialog->DialogThemes().Count());
        QCOMPARE(dialog->SelectedTheme()->Name(), dialog->cboTheme()->currentText());
        if (command == "saveas" && dialog->DialogThemes().Count() == 4) {
            clsThemeApp copy = *dialog->SelectedTheme();
            copy.SetName(before.Name());
            QCOMPARE(copy, before);
        }
    }

    void themesEditAndOk()
    {
        auto dialog = openThemes();
        prompts().inputs.enqueue(QStringLiteral("Mine"));
        dialog->cmdNewClick();
        prompts().dialogHandler = [](QDialog& d) { return pickBlue(d, 1); };
        dialog->cmdTvwColorClick();
        const clsThemeApp& mine = *dialog->SelectedTheme();
        QCOMPARE(mine.TvwTheme().BackColor(), ColorSwatches::Color(13));
        QCOMPARE(mine.LvwTheme().BackColor(), 16777215); // the list's colours were not touched

        dialog->cmdOKClick();
        QCOMPARE(m_applied, QStringList{"Mine"});
        QCOMPARE(m_options->ThemeName(), QStringLiteral("Mine"));
        // The user's own copy takes the themes and is read from now on; the shipped file stays.
        QCOMPARE(files().user, m_app->env.ConfigHome() + "/tavoro/Themes.dat");
        const clsThemeApps written = files().Read();
        QCOMPARE(names(written), (QStringList{"(Custom)", "Pumpkin", "Ocean", "Mine"}));
        QCOMPARE(Themes::ReadThemes(files().shipped).Count(), 3);
        QCOMPARE(*written.Item(4), mine);
        QCOMPARE(names(m_allThemes), names(written));
    }

    // View > Font under a named theme whose face the system lacks: the dialog offers the
    // face shown, and the chosen font stays after a restart.
    void viewFontSurvivesRestart()
    {
        m_app->Store("ThemeName", "Pumpkin");
        auto window = m_app->Start();
        QString offered;
        prompts().dialogHandler = [&offered](QDialog& d) {
            auto& fonts = static_cast<frmFonts&>(d);
            offered = fonts.lstFontName()->currentIndex().data().toString();
            fonts.lstFontSize()->setCurrentRow(8); // "20"
            fonts.cmdOkClick();
            return d.result();
        };
        window->Menus().Action("mnuViewFont")->trigger();
        QCOMPARE(offered, window->Tree().Widget()->font().family());
        window->SaveSettings();
        QCOMPARE(m_app->Start()->Tree().Widget()->font().pointSize(), 20);
    }

    void themesSurviveNoThemesAndAnUnwritableFile()
    {
        m_allThemes = clsThemeApps(); // nothing at all to start from
        auto empty = openThemes();
        QCOMPARE(names(empty->DialogThemes()).first(), QStringLiteral("(Custom)"));

        QVERIFY(QDir().mkpath(files().user)); // a folder where the file should be
        empty->cmdOKClick();
        QCOMPARE(prompts().messages.size(), 1);
        QVERIFY(prompts().messages.first().text.startsWith(
            QStringLiteral("Unable to complete the Save Themes operation.\r\n\r\n")));
        QCOMPARE(m_options->ThemeName(), QStringLiteral("(Custom)"));
    }
};

QTEST_MAIN(TestAppearanceDialogs)
#include "test_appearance_dialogs.moc"

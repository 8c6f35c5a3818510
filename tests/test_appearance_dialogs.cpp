#include "app/MainMenus.h"
#include "app/clsOptions.h"
#include "appearance/ColorSwatches.h"
#include "appearance/ThemeFile.h"
#include "appearance/Themes.h"
#include "appearance/ViewAppearanceCommands.h"
#include "appearance/frmColor.h"
#include "appearance/frmFonts.h"
#include "appearance/frmThemes.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesListWidget.h"
#include "favorites/FavoritesTree.h"
#include "platform/ColorRef.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

namespace {

const char kThemeFile[] =
    "(Custom)\tDejaVu Sans\t10\t0\t0\t16777215\t0\tDejaVu Sans\t10\t0\t0\t16777215\t0\r\n"
    "Pumpkin\tDejaVu Sans\t10\t-1\t0\t1319739\t6730751\tDejaVu Sans\t10\t0\t0\t15070975\t14986\r\n"
    "Ocean\tDejaVu Serif\t11\t0\t0\t6110219\t16773337\tDejaVu "
    "Sans\t9\t0\t-1\t16512746\t7358987\r\n";
const QStringList kFaces{
    "  DejaVu Sans ", "DejaVu Serif", "dejavu sans mono", "DejaVu Sans", "Arial", "", "   ",
    "DejaVu Serif",   "C059 [urw]",   "C059 [UKWN]"};

QStringList names(const clsThemeApps& themes)
{
    QStringList result;
    for (const clsThemeApp& theme : themes)
        result << theme.Name();
    return result;
}

QStringList entries(const QListWidget* list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

QString selectedText(const QListWidget* list)
{
    const int row = frmFonts::SelectedRow(list);
    return row < 0 ? QString() : list->item(row)->text();
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

void sendMouse(QWidget* widget, QEvent::Type type, const QPoint& pos)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// The marker sits centred round the swatch.
bool marks(const QFrame* marker, const QLabel* swatch)
{
    return !marker->isHidden() && marker->geometry().center() == swatch->geometry().center() &&
           marker->geometry().contains(swatch->geometry());
}

// A list written with ';' between its entries.
QStringList list(const char* text)
{
    return *text ? QString::fromUtf8(text).split(u';') : QStringList();
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
    QString themeFile() const { return m_app->env.Root() + QStringLiteral("/bin/Themes.dat"); }
    std::unique_ptr<frmThemes> openThemes()
    {
        return std::make_unique<frmThemes>(m_allThemes, *m_options, themeFile(), prompts(),
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
        m_allThemes = Themes::ReadThemes(themeFile());
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

    void paletteHasFortyDistinctSwatches()
    {
        QSet<QString> seen;
        for (int i = 0; i < ColorSwatches::Count; ++i) {
            seen.insert(ColorSwatches::Name(i));
            QCOMPARE(ColorSwatches::IndexOf(ColorSwatches::Color(i)), i);
        }
        QCOMPARE(seen.size(), ColorSwatches::Count);
        QCOMPARE(ColorSwatches::Color(13), 0xFF0000); // "Blue", red in the low byte
    }

    void hitTest_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("swatch");
        const struct
        {
            const char* name;
            double x, y;
            int swatch;
        } rows[] = {
            {"strip shared by 0 and 1", 370, 200, 0}, {"past that strip", 376, 200, 1},
            {"strip shared by 0 and 8", 200, 370, 0}, {"corner of 9, 10, 17, 18", 730, 730, 9},
            {"left edge is out", 0, 200, -1},         {"far corner is in", 2895, 1815, 39},
            {"beyond the palette", 2900, 200, -1}};
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.x << row.y << row.swatch;
    }
    void hitTest()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QTEST(ColorSwatches::HitTest(x, y), "swatch");
    }

    void colorOpensOnTheTabsColour_data()
    {
        QTest::addColumn<int>("fore");
        QTest::addColumn<int>("back");
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("marked"); // -1: shown as the custom colour
        QTest::newRow("black text") << 0 << 0xFFFFFF << 0 << 0;
        QTest::newRow("white background") << 0 << 0xFFFFFF << 1 << 39;
        QTest::newRow("text off the palette") << 0x123456 << 0 << 0 << -1;
        QTest::newRow("system colour value") << int(0x80000005) << 0 << 0 << -1;
        QTest::newRow("background off the palette") << 0 << 0x010101 << 1 << -1;
    }
    void colorOpensOnTheTabsColour()
    {
        QFETCH(int, fore);
        QFETCH(int, back);
        QFETCH(int, tab);
        QFETCH(int, marked);
        frmColor dialog(prompts());
        dialog.SetFontColor(fore);
        dialog.SetBkGndColor(back);
        dialog.Load();
        dialog.tabColor()->setCurrentIndex(tab);
        QCOMPARE(dialog.lblSample()->text(), QStringLiteral("Tavoro"));
        QCOMPARE(dialog.lblSample()->palette().color(QPalette::WindowText),
                 ColorRef::ToQColor(fore));
        const int shown = tab == 0 ? fore : back;
        QCOMPARE(dialog.chkCustom()->isChecked(), marked < 0);
        QCOMPARE(dialog.CustomSwatchColor(), marked < 0 ? shown : 0x808080);
        if (marked >= 0) {
            QVERIFY(marks(dialog.shpSelected(), dialog.lblColorBox(marked)));
        } else {
            QVERIFY(dialog.shpSelected()->isHidden());
            QCOMPARE(dialog.lblCustom()->palette().color(QPalette::Window),
                     ColorRef::ToQColor(shown));
        }
    }

    void colorFollowsTheMouse()
    {
        frmColor dialog(prompts());
        dialog.SetBkGndColor(0xFFFFFF);
        dialog.Load();
        QFrame* frame = dialog.fraColorBox();
        // Just left of swatch 9: its widened rectangle, not 8's.
        const QRect nine = dialog.lblColorBox(9)->geometry();
        sendMouse(frame, QEvent::MouseMove, QPoint(nine.left() - 2, nine.center().y()));
        QCOMPARE(dialog.HighlightedIndex(), 9);
        QVERIFY(marks(dialog.shpSelector(), dialog.lblColorBox(9)));
        sendMouse(dialog.lblColorBox(20), QEvent::MouseMove, QPoint(3, 3));
        QVERIFY(marks(dialog.shpSelector(), dialog.lblColorBox(20)));
        sendMouse(frame, QEvent::MouseButtonRelease, QPoint(nine.left() - 2, nine.center().y()));
        QCOMPARE(dialog.FontColor(), ColorSwatches::Color(20));
        QVERIFY(marks(dialog.shpSelected(), dialog.lblColorBox(20)));
        sendMouse(dialog.tabColor(), QEvent::MouseMove, QPoint(3, 3));
        QVERIFY(dialog.shpSelector()->isHidden());
        sendMouse(dialog.lblColorBox(31), QEvent::MouseButtonRelease, QPoint(3, 3));
        QCOMPARE(dialog.FontColor(), ColorSwatches::Color(31));
        QCOMPARE(dialog.BkGndColor(), 0xFFFFFF);
    }

    void colorCustomThroughThePicker()
    {
        frmColor dialog(prompts());
        dialog.SetBkGndColor(0xFFFFFF);
        dialog.Load();
        prompts().colors << std::nullopt << QColor(1, 2, 3) << QColor(255, 0, 0);
        dialog.cmdCustomClick(); // cancelled
        QVERIFY(dialog.FontColor() == 0 && !dialog.chkCustom()->isChecked());
        dialog.cmdCustomClick();
        QCOMPARE(dialog.FontColor(), 1 + 2 * 256 + 3 * 65536);
        QVERIFY(dialog.chkCustom()->isChecked() && dialog.shpSelected()->isHidden());
        QCOMPARE(dialog.CustomSwatchColor(), dialog.FontColor());
        // A palette colour from the picker marks its swatch; the custom one goes back.
        dialog.cmdCustomClick();
        QCOMPARE(prompts().colorStarts,
                 (QList<QColor>{QColor(128, 128, 128), QColor(128, 128, 128), QColor(1, 2, 3)}));
        QCOMPARE(dialog.FontColor(), 255);
        QVERIFY(marks(dialog.shpSelected(), dialog.lblColorBox(16)));
        QCOMPARE(dialog.CustomSwatchColor(), 0x808080);
        // The custom swatch only toggles the box.
        dialog.lblCustomClick();
        QVERIFY(dialog.chkCustom()->isChecked() && dialog.shpSelected()->isHidden() &&
                dialog.shpSelector()->isHidden());
        dialog.lblCustomClick();
        QVERIFY(marks(dialog.shpSelected(), dialog.lblColorBox(16)));
        QCOMPARE(dialog.FontColor(), 255);
        dialog.cmdCancelClick();
        QVERIFY(!dialog.IsSaved());
    }

    void fontsSelectAndReturn_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("returned");
        const char* const rows[][6] = {
            {"known", "Arial\t10\tB", "Arial", "10", "Bold", "Arial\t10\tB"},
            {"empty", "", "Arial", "8", "Regular", "Arial\t8\t"},
            {"IB selects no style", "DejaVu Sans\t12\tIB", "DejaVu Sans", "12", "",
             "DejaVu Sans\t12\t"},
            {"face in other case", "DEJAVU SERIF\t14\tI", "DejaVu Serif", "14", "Italic",
             "DejaVu Serif\t14\tI"},
            {"unknown face", "No Such Face\t13\tBI", "", "8", "Bold Italic", "\t8\tBI"},
            {"size off the list", "Arial\t9.5\t", "Arial", "8", "Regular", "Arial\t8\t"},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]) << QString(row[3])
                                  << QString(row[4]) << QString(row[5]);
    }
    void fontsSelectAndReturn()
    {
        QFETCH(QString, given);
        frmFonts dialog(nullptr, [] { return kFaces; });
        dialog.SetFontString(given);
        dialog.Load();
        QTEST(selectedText(dialog.lstFontName()), "face");
        QTEST(selectedText(dialog.lstFontSize()), "size");
        QTEST(selectedText(dialog.lstFontStyle()), "style");
        dialog.cmdOkClick();
        QVERIFY(dialog.IsSaved());
        QTEST(dialog.FontString(), "returned");
    }

    void fontsListsPreviewAndNote()
    {
        frmFonts dialog(nullptr, [] { return kFaces + QStringList{"Zz No Such Face"}; });
        dialog.SetFontString(QStringLiteral("DejaVu Sans\t12\tBI"));
        dialog.SetPrinterName(QStringLiteral("Laser"));
        dialog.Load();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Fonts - [Laser]"));
        QCOMPARE(entries(dialog.lstFontName()),
                 (QStringList{"Arial", "C059", "DejaVu Sans", "dejavu sans mono", "DejaVu Serif",
                              "Zz No Such Face"}));
        QCOMPARE(dialog.lstFontSize()->count(), 16);
        QCOMPARE(entries(dialog.lstFontStyle()),
                 (QStringList{"Regular", "Italic", "Bold", "Bold Italic"}));
        const QFont font = dialog.lblPreview()->font();
        QCOMPARE(dialog.lblPreview()->text(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(font.family(), QStringLiteral("DejaVu Sans"));
        QVERIFY(font.pointSize() == 12 && font.bold() && font.italic());
        QCOMPARE(dialog.lblFontNote()->text(),
                 QStringLiteral(
                     "This is a TrueType font. The font will used on both printer and screen."));

        dialog.lstFontName()->setCurrentRow(5);
        dialog.lstFontStyle()->setCurrentRow(0);
        QCOMPARE(dialog.lblPreview()->text(), QStringLiteral("Zz No Such Face"));
        QVERIFY(!dialog.lblPreview()->font().bold() && dialog.FontStyle().isEmpty());
        QCOMPARE(dialog.lblFontNote()->text(),
                 QStringLiteral(
                     "This is a scalable font. The screen image may not match printed output."));
    }

    void themesOpenOnTheMatchingTheme_data()
    {
        QTest::addColumn<QString>("themeName");
        QTest::addColumn<int>("settingsOf"); // 0: matching no theme
        QTest::addColumn<int>("selected");
        QTest::newRow("named and matching") << "Pumpkin" << 2 << 1;
        QTest::newRow("named, settings of another") << "Pumpkin" << 3 << 0;
        QTest::newRow("no name, any match") << "" << 3 << 2;
        QTest::newRow("no name, no match") << "" << 0 << 0;
    }
    void themesOpenOnTheMatchingTheme()
    {
        QFETCH(QString, themeName);
        QFETCH(int, settingsOf);
        m_options->SetThemeName(themeName);
        if (settingsOf > 0)
            useSettingsOf(*m_options, *m_allThemes.Item(settingsOf));
        else
            m_options->SetlvwForeColor(0x010203);
        auto dialog = openThemes();
        QTEST(dialog->cboTheme()->currentIndex(), "selected");
        QCOMPARE(dialog->cboTheme()->count(), 3);
        // "(Custom)" holds the settings whenever nothing matched them.
        QCOMPARE(Themes::FindMatchingTheme(dialog->DialogThemes(), QStringLiteral("(Custom)"),
                                           *m_options) == 1,
                 dialog->cboTheme()->currentIndex() == 0);
        QCOMPARE(dialog->tvwPreview()->topLevelItem(0)->child(2)->foreground(0).color(),
                 ColorRef::ToQColor(dialog->SelectedTheme()->TvwTheme().FontColor()));
        QCOMPARE(dialog->cmdRename()->isEnabled(), dialog->cboTheme()->currentIndex() > 0);
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
        const struct
        {
            const char* name;
            int selected;
            const char *command, *inputs, *proposed, *messages, *themes, *shown;
        } rows[] = {
            {"new, duplicate then other case", 1, "new", "Pumpkin;pumpkin", "New Theme;Pumpkin",
             "New Theme|Theme Name 'Pumpkin' already exists.", "(Custom);Pumpkin;Ocean;pumpkin",
             "pumpkin"},
            {"new without a TAB", 1, "new", "Tab\there", "New Theme", "",
             "(Custom);Pumpkin;Ocean;Tab here", "Tab here"},
            {"save as custom", 0, "saveas", "(Custom) (Copy)", "(Custom) (Copy)", "",
             "(Custom);Pumpkin;Ocean;(Custom) (Copy)", "(Custom) (Copy)"},
            {"save as taken, then nothing", 2, "saveas", "(Custom);", "Ocean (Copy);(Custom)",
             "Save Theme As|Theme Name '(Custom)' already exists.", "(Custom);Pumpkin;Ocean",
             "Ocean"},
            {"rename to itself", 2, "rename", "Ocean", "Ocean", "", "(Custom);Pumpkin;Ocean",
             "Ocean"},
            {"rename to a taken name", 1, "rename", "Ocean;Sea", "Pumpkin;Ocean",
             "Rename Theme|Theme Name 'Ocean' already exists.", "(Custom);Sea;Ocean", "Sea"},
            {"rename custom refused", 0, "rename", "Mine", "", "", "(Custom);Pumpkin;Ocean",
             "(Custom)"},
            {"delete the last", 2, "delete", "OK", "",
             "Delete Theme|Delete the following Theme:\r\n\r\nOcean\r\n\r\nDo you want to continue?",
             "(Custom);Pumpkin", "Pumpkin"},
            {"delete cancelled", 2, "delete", "", "",
             "Delete Theme|Delete the following Theme:\r\n\r\nOcean\r\n\r\nDo you want to continue?",
             "(Custom);Pumpkin;Ocean", "Ocean"},
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
        for (const QString& input : inputs)
            prompts().inputs.enqueue(input);
        if (inputs.contains(QLatin1String("OK")))
            prompts().answers.enqueue(Prompts::Answer::Ok);
        const QHash<QString, void (frmThemes::*)()> commands{
            {"new", &frmThemes::cmdNewClick},
            {"saveas", &frmThemes::cmdSaveAsClick},
            {"rename", &frmThemes::cmdRenameClick},
            {"delete", &frmThemes::cmdDeleteClick}};
        (dialog.get()->*commands.value(command))();

        QStringList proposed;
        for (const auto& input : prompts().inputPrompts)
            proposed << input.defaultText;
        QTEST(proposed, "proposed");
        QStringList messages;
        for (const auto& message : prompts().messages) {
            messages << message.title + u'|' + message.text;
            QVERIFY(command != QLatin1String("delete") ||
                    message.defaultAnswer == Prompts::Answer::Cancel);
        }
        QTEST(messages, "messages");
        QTEST(names(dialog->DialogThemes()), "themes");
        QTEST(dialog->cboTheme()->currentText(), "shown");
        QCOMPARE(dialog->cboTheme()->count(), dialog->DialogThemes().Count());
        QCOMPARE(dialog->SelectedTheme()->Name(), dialog->cboTheme()->currentText());
        if (command == QLatin1String("saveas") && dialog->DialogThemes().Count() == 4) {
            clsThemeApp copy = *dialog->SelectedTheme();
            copy.SetName(before.Name());
            QCOMPARE(copy, before);
        }
    }

    void themesApplyThenCancel()
    {
        m_options->SetThemeName(QStringLiteral("Pumpkin"));
        auto dialog = openThemes();
        dialog->cboTheme()->setCurrentIndex(2);
        dialog->cmdApplyClick();
        prompts().inputs.enqueue(QStringLiteral("Mine"));
        dialog->cmdNewClick();
        dialog->cmdCancelClick();
        QCOMPARE(m_applied, QStringList{"Ocean"});
        QCOMPARE(m_options->ThemeName(), QStringLiteral("Pumpkin"));
        QCOMPARE(names(m_allThemes), (QStringList{"(Custom)", "Pumpkin", "Ocean"}));
        QFile file(themeFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(kThemeFile));
    }

    void themesEditAndOk()
    {
        auto dialog = openThemes();
        prompts().inputs.enqueue(QStringLiteral("Mine"));
        dialog->cmdNewClick();
        prompts().dialogHandler = [](QDialog& d) {
            if (auto* fonts = qobject_cast<frmFonts*>(&d)) {
                QListWidget* faces = fonts->lstFontName();
                faces->setCurrentRow(entries(faces).indexOf(QStringLiteral("DejaVu Serif")));
                fonts->lstFontSize()->setCurrentRow(4);
                fonts->lstFontStyle()->setCurrentRow(1);
                fonts->cmdOkClick();
            } else if (auto* color = qobject_cast<frmColor*>(&d)) {
                color->lblColorBoxClick(13);
                color->tabColor()->setCurrentIndex(1);
                color->lblColorBoxClick(34);
                color->cmdOKClick();
            }
            return d.result();
        };
        dialog->cmdLvwFontClick();
        dialog->cmdTvwColorClick();
        const clsThemeApp& mine = *dialog->SelectedTheme();
        QCOMPARE(mine.LvwTheme().GetFontString(), QStringLiteral("DejaVu Serif\t12\tI"));
        QCOMPARE(mine.TvwTheme().FontColor(), ColorSwatches::Color(13));
        QCOMPARE(mine.TvwTheme().BackColor(), ColorSwatches::Color(34));
        QCOMPARE(dialog->tvwPreview()->topLevelItem(0)->background(0).color(),
                 ColorRef::ToQColor(ColorSwatches::Color(34)));
        QCOMPARE(mine.LvwTheme().FontColor(), 0); // the list's colours were not touched

        dialog->cmdOKClick();
        QCOMPARE(m_applied, QStringList{"Mine"});
        QCOMPARE(m_options->ThemeName(), QStringLiteral("Mine"));
        const clsThemeApps written = Themes::ReadThemes(themeFile());
        QCOMPARE(names(written), (QStringList{"(Custom)", "Pumpkin", "Ocean", "Mine"}));
        QCOMPARE(*written.Item(4), mine);
        QCOMPARE(names(m_allThemes), names(written));
    }

    void themesSurviveDamageAndAnUnwritableFile()
    {
        FavoritesBuilder(m_app->env.Root())
            .File(QStringLiteral("bin/Themes.dat"), "\t\t\r\nx\t\t-\t9e99\t\xff\r\n(Custom)");
        m_allThemes = Themes::ReadThemes(themeFile());
        auto dialog = openThemes();
        dialog->cboTheme()->setCurrentIndex(1);
        dialog->cmdApplyClick();
        m_allThemes = clsThemeApps(); // nothing at all to start from
        auto empty = openThemes();
        QCOMPARE(names(empty->DialogThemes()).first(), QStringLiteral("(Custom)"));

        QVERIFY(QFile::remove(themeFile()));
        QVERIFY(QDir().mkpath(themeFile())); // a folder where the file should be
        empty->cmdOKClick();
        QCOMPARE(prompts().messages.size(), 1);
        QVERIFY(prompts().messages.first().text.startsWith(
            QStringLiteral("Unable to complete the Save Themes operation.\r\n\r\n")));
        QCOMPARE(m_options->ThemeName(), QStringLiteral("(Custom)"));
    }

    void viewColorReachesOldAndNewEntriesAndTheNextStart_data()
    {
        QTest::addColumn<QString>("pane"); // "T" is left untouched
        QTest::addColumn<int>("tab");
        QTest::newRow("tree untouched, text") << "T" << 0;
        QTest::newRow("list, text") << "L" << 0;
        QTest::newRow("no pane named, background") << "" << 1;
    }
    void viewColorReachesOldAndNewEntriesAndTheNextStart()
    {
        QFETCH(QString, pane);
        QFETCH(int, tab);
        const bool list = pane == QLatin1String("L");
        FavoritesBuilder(m_app->Favorites()).Build(QStringLiteral("News/\nA.url = http://a"));
        auto window = m_app->Start();
        clsOptions& options = window->Options();
        QCOMPARE(options.ThemeName(), QStringLiteral("Pumpkin"));
        if (list)
            Q_EMIT static_cast<FavoritesListWidget*>(window->List().Widget())->touched();
        window->NodeClick(window->Tree().Root());
        const auto colors = [&options] {
            return QList<int>{options.lvwForeColor(), options.lvwBackColor(),
                              options.tvwForeColor(), options.tvwBackColor()};
        };
        QList<int> expected = colors();
        expected[(list ? 0 : 2) + tab] = ColorSwatches::Color(13);
        prompts().dialogHandler = [tab](QDialog& d) {
            auto& color = static_cast<frmColor&>(d);
            color.tabColor()->setCurrentIndex(tab);
            color.lblColorBoxClick(13);
            color.cmdOKClick();
            return d.result();
        };
        if (pane.isEmpty()) {
            ViewAppearanceCommands({options, window->Tree(), window->List(), window->AllThemes(),
                                    themeFile(), pane, window.get()},
                                   prompts())
                .ColorClick();
        } else {
            QAction* command = window->Menus().Action(QStringLiteral("mnuViewColor"));
            QVERIFY(command->isEnabled());
            command->trigger();
        }
        QCOMPARE(colors(), expected);
        QCOMPARE(options.ThemeName(), QString());

        const QColor blue = ColorRef::ToQColor(ColorSwatches::Color(13));
        const auto shown = [&](frmFav1& w, QTreeWidgetItem* node) {
            if (list)
                return w.List().Widget()->palette().color(QPalette::Text);
            return (tab ? node->background(0) : node->foreground(0)).color();
        };
        // Entries there before the change, then entries made after it.
        for (int round = 0; round < 2; ++round) {
            QVERIFY(window->List().Count() > 0);
            if (list && round == 0)
                QCOMPARE(window->List().Item(0)->foreground(0).color(), blue);
            for (QTreeWidgetItem* node : window->Tree().Nodes())
                QCOMPARE(shown(*window, node), blue);
            window->RefreshView();
            window->NodeClick(window->Tree().Root());
        }
        QVERIFY(window->QueryUnload(true));
        window.reset();
        auto next = m_app->Start();
        QCOMPARE(next->Options().ThemeName(), QString());
        QCOMPARE(shown(*next, next->Tree().Root()), blue);
    }

    void viewFontStoresThePaneFontFirstAndKeepsTheTheme()
    {
        auto window = m_app->Start();
        clsOptions& options = window->Options();
        QTreeWidget* tree = window->Tree().Widget();
        QFont bold(QStringLiteral("DejaVu Sans"));
        bold.setPointSizeF(10.5);
        bold.setBold(true);
        tree->setFont(bold);
        options.SettvwFont(QString());
        QString offeredStyle;
        const auto chooseSize = [&offeredStyle](int row, bool confirm) {
            return [&offeredStyle, row, confirm](QDialog& d) {
                auto& fonts = static_cast<frmFonts&>(d);
                offeredStyle = selectedText(fonts.lstFontStyle());
                fonts.lstFontSize()->setCurrentRow(row);
                confirm ? fonts.cmdOkClick() : fonts.cmdCancelClick();
                return d.result();
            };
        };
        // Stored before the dialog opens, and kept although it is cancelled.
        prompts().dialogHandler = chooseSize(3, false);
        window->Menus().Action(QStringLiteral("mnuViewFont"))->trigger();
        QCOMPARE(options.tvwFont(), QStringLiteral("DejaVu Sans\t10.5\t"));
        QCOMPARE(offeredStyle, QStringLiteral("Regular"));
        QVERIFY(tree->font().bold());

        prompts().dialogHandler = chooseSize(5, true);
        window->Menus().Action(QStringLiteral("mnuViewFont"))->trigger();
        QCOMPARE(options.tvwFont(), QStringLiteral("DejaVu Sans\t14\t"));
        QVERIFY(tree->font().pointSize() == 14 && !tree->font().bold());
        QCOMPARE(options.ThemeName(), QStringLiteral("Pumpkin"));
        QVERIFY(window->QueryUnload(true));
        window.reset();

        // The named theme comes back at the next start, with its own font.
        auto next = m_app->Start();
        QCOMPARE(next->Options().tvwFont(), next->AllThemes().Item(2)->TvwTheme().GetFontString());
    }

    void viewThemesRunsTheDialog()
    {
        auto window = m_app->Start();
        prompts().dialogHandler = [](QDialog& d) {
            auto& themes = static_cast<frmThemes&>(d);
            themes.cboTheme()->setCurrentIndex(2);
            themes.cmdOKClick();
            return d.result();
        };
        window->Menus().Action(QStringLiteral("mnuViewThemes"))->trigger();
        QCOMPARE(window->Options().ThemeName(), QStringLiteral("Ocean"));
        QCOMPARE(window->Options().tvwBackColor(), m_allThemes.Item(3)->TvwTheme().BackColor());
        QCOMPARE(names(window->AllThemes()), names(m_allThemes));
    }
};

QTEST_MAIN(TestAppearanceDialogs)
#include "test_appearance_dialogs.moc"

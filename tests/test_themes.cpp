#include "appearance/FontFaces.h"
#include "appearance/ThemeFile.h"
#include "appearance/ThemeLocations.h"
#include "appearance/Themes.h"
#include "core/clsOptions.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/IconSet.h"
#include "platform/ColorRef.h"
#include "support/AppFixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QRandomGenerator>
#include <QTest>
#include <QTreeWidget>

#include <cmath>

namespace {

QString describe(const QString& face, double size, bool bold, bool italic)
{
    return face + u'|' + QString::number(size) + u'|' + (bold ? u'B' : u'-') +
           (italic ? u'I' : u'-');
}

QStringList names(const clsThemeApps& themes)
{
    QStringList result;
    for (const clsThemeApp& theme : themes)
        result << theme.Name();
    return result;
}

// WCAG relative luminance of a colour.
double luminance(std::int32_t colorRef)
{
    const QColor c = ColorRef::ToQColor(colorRef);
    double sum = 0;
    for (const auto& [v, weight] :
         {std::pair{c.red(), 0.2126}, {c.green(), 0.7152}, {c.blue(), 0.0722}}) {
        const double s = v / 255.0;
        sum += weight * (s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4));
    }
    return sum;
}

} // namespace

class TestThemes : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<clsOptions> m_options;

    QString themeFile() const { return ThemeLocations::ShippedFile(m_app->env.Root()); }
    clsThemeApps readFrom(const QByteArray& bytes)
    {
        QFile file(themeFile());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the theme file");
        file.close();
        return Themes::ReadThemes(themeFile());
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_options = std::make_unique<clsOptions>(m_app->registry, *m_app->shell, m_app->Favorites(),
                                                 m_app->programPath);
    }
    void cleanup()
    {
        m_options.reset();
        m_app.reset();
    }

    void setFontString_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        // Starting from "Old", 8 points, bold, not italic.
        QTest::newRow("IB keeps flags") << "Arial\t12\tIB"
                                        << "Arial|12|B-";
        QTest::newRow("empty clears flags only") << ""
                                                 << "Old|8|--";
        QTest::newRow("10.5 to even") << "Arial\t10.5\tB"
                                      << "Arial|10|B-";
        QTest::newRow("too big") << "Arial\t40000\tB"
                                 << "Arial|0|B-";
    }
    void setFontString()
    {
        QFETCH(QString, text);
        clsThemeObj part;
        part.SetFontName("Old");
        part.SetFontSize(8);
        part.SetFontBold(true);
        part.SetFontString(text);
        QTEST(describe(part.FontName(), part.FontSize(), part.FontBold(), part.FontItalic()),
              "expected");
    }

    void parseColor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("color");
        QTest::newRow("mixed") << "1-2-3" << 1 + 2 * 256 + 3 * 65536;
        QTest::newRow("part too big") << "256-0-0" << 0;
        QTest::newRow("a minus is a separator") << "-5" << 5 * 256;
        QTest::newRow("rounds half to even") << "2.5" << 2;
        QTest::newRow("beyond 32 bits") << "99999999999" << 0;
    }
    void parseColor()
    {
        QFETCH(QString, text);
        QTEST(Themes::ParseColor(text), "color");
    }

    void readThemes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("builtInCustom");
        const QString part = "DejaVu Sans\t10\t0\t0\t16777215\t0";
        const QString custom = "(Custom)\t" + part + u'\t' + part;
        const QString a = "A\t" + part + u'\t' + part;
        QTest::newRow("custom first")
            << (custom + "\r\n" + a + "\r\n").toUtf8() << QStringList{"(Custom)", "A"} << false;
        QTest::newRow("other first") << a.toUtf8() << QStringList{"(Custom)", "A"} << true;
        QTest::newRow("blank lines, later custom")
            << ("\r\n   \r\n" + a + "\n\n" + custom + "\r").toUtf8()
            << QStringList{"(Custom)", "A", "(Custom)"} << true;
        QTest::newRow("Windows-1252")
            << QByteArray("Caf\xe9\tArial\t9") << QStringList{"(Custom)", "Café"} << true;
        QTest::newRow("only blanks") << QByteArray(" \r\n  ") << QStringList{"(Custom)"} << true;
    }
    void readThemes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, builtInCustom);
        const clsThemeApps themes = readFrom(bytes);
        QTEST(names(themes), "expected");
        QCOMPARE(themes.Item(1)->TvwTheme().GetFontString(),
                 builtInCustom ? Themes::DefaultFontString() : QStringLiteral("DejaVu Sans\t10\t"));
    }

    // Whatever a damaged file holds, "(Custom)" comes first and what was read writes
    // back and reads again unchanged.
    void readThemesSurvivesJunk()
    {
        QRandomGenerator random(20240611);
        static const char kBytes[] = "\t\t\t\r\n -.0123456789(Custom)\xff\xc3\xa9\x00";
        const QByteArray alphabet(kBytes, sizeof kBytes - 1);
        for (int round = 0; round < 50; ++round) {
            QByteArray junk(random.bounded(3000), '\0');
            for (char& c : junk) {
                c = random.bounded(4) == 0 ? char(random.bounded(256))
                                           : alphabet[random.bounded(alphabet.size())];
            }
            const clsThemeApps themes = readFrom(junk);
            QCOMPARE(themes.Item(1)->Name(), QStringLiteral("(Custom)"));
            QVERIFY(Themes::WriteThemes(themeFile(), themes));
            const clsThemeApps again = Themes::ReadThemes(themeFile());
            QCOMPARE(again.Count(), themes.Count());
            for (int i = 1; i <= themes.Count(); ++i)
                QCOMPARE(*again.Item(i), *themes.Item(i));
        }
    }

    // A line cut short, or a name only, takes what it lacks from "(Custom)".
    void damagedLinesTakeCustomValues()
    {
        const clsThemeApps themes = readFrom("(Custom)\tDejaVu Serif\t11\t-1\t0\t1319739\t6730751"
                                             "\r\nName only\r\nCut\tDejaVu Sans\t9\t0\t0\t255\t");
        const clsThemeApp& custom = *themes.Item(1);
        QCOMPARE(themes.Item(2)->TvwTheme(), custom.TvwTheme());
        QCOMPARE(themes.Item(2)->LvwTheme(), custom.LvwTheme());
        QCOMPARE(themes.Item(3)->TvwTheme().BackColor(), 255);
        QCOMPARE(themes.Item(3)->LvwTheme(), custom.LvwTheme());
    }

    // Every face the Font dialog offers, foundry or not, is the face applied.
    void everyOfferedFaceApplies()
    {
        QWidget pane;
        for (const QString& family : QFontDatabase::families()) {
            Themes::ApplyFontString(&pane, FontFaces::WithoutFoundry(family).toLower() + "\t10\t");
            QCOMPARE(pane.font().family(), FontFaces::WithoutFoundry(family));
        }
    }

    void writeThenRead()
    {
        const QByteArray pumpkin("Pumpkin \xc3\xa9\tDejaVu Serif\t11\t-1\t-1\t1319739\t6730751"
                                 "\tDejaVu Sans\t9\t0\t0\t16777215\t0\r\n");
        clsThemeApps themes = readFrom(pumpkin);
        themes.Add()->SetName("Tab\there\r\nbroken");
        QVERIFY(Themes::WriteThemes(themeFile(), themes));
        QFile file(themeFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[1] + '\n', pumpkin);
        QCOMPARE(lines[2].count('\t'), 12);
        const clsThemeApps back = Themes::ReadThemes(themeFile());
        QCOMPARE(back.Count(), 3);
        QCOMPARE(back.Item(3)->Name(), QStringLiteral("Tab here  broken"));
    }

    void chooseStartupTheme()
    {
        const IconSet icons = IconSet::Panes();
        QTreeWidget treeWidget;
        QTreeView listWidget;
        FavoritesTree tree(&treeWidget, icons);
        FavoritesList list(&listWidget, icons);
        tree.AddFolderNode(tree.AddRoot("Favorites", QString(), "Favorites"), "News", "/f/News");
        // The list's face is not installed: it shows in the system's default sans face.
        clsThemeApps themes = readFrom("Ocean\tDejaVu Sans\t11\t-1\t0\t6110219\t16773337\t"
                                       "No Such Face 42\t12\t0\t-1\t16512746\t7358987\r\n");
        const clsThemeObj& tvw = themes.Item(2)->TvwTheme();
        m_options->SetThemeName("Ocean");
        Themes::ChooseStartupTheme(themes, *m_options, tree, list);
        QCOMPARE(Themes::FindMatchingTheme(themes, QString(), *m_options), 2);
        for (QTreeWidgetItem* node : tree.Nodes())
            QCOMPARE(node->background(0).color(), ColorRef::ToQColor(tvw.BackColor()));
        QVERIFY(treeWidget.font().family() == tvw.FontName() && treeWidget.font().bold());
        QCOMPARE(listWidget.font().family(), FontFaces::Resolve(QString()));
        // Its expand arrows are drawn in the tree's light text colour on the dark ground.
        treeWidget.resize(200, 100);
        const QImage shot =
            treeWidget.viewport()->grab(QRect(0, 0, treeWidget.indentation(), 20)).toImage();
        int light = 0;
        for (int i = 0; i < shot.width() * shot.height(); ++i)
            light += qGray(shot.pixel(i % shot.width(), i / shot.width())) > 120;
        QVERIFY(light > 3);

        // An unknown name falls back to position 1.
        m_options->SetThemeName("Gone");
        Themes::ChooseStartupTheme(themes, *m_options, tree, list);
        QCOMPARE(Themes::FindMatchingTheme(themes, QString(), *m_options), 1);

        // No name: the settings stand and are kept in "(Custom)".
        m_options->SetThemeName(QString());
        m_options->SetlvwForeColor(0x123456);
        Themes::ChooseStartupTheme(themes, *m_options, tree, list);
        QCOMPARE(m_options->lvwForeColor(), 0x123456);
        QCOMPARE(themes.Item(1)->LvwTheme().FontColor(), 0x123456);
    }

    // Every shipped theme reads, is readable on screen and uses fonts this system has.
    void shippedThemes()
    {
        QString folder = qEnvironmentVariable("TAVORO_PROGRAM_DIR");
        if (folder.isEmpty())
            folder = QCoreApplication::applicationDirPath() + "/..";
        const QString path = ThemeLocations::ShippedFile(folder);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        const clsThemeApps themes = Themes::ReadThemes(path);
        QVERIFY(themes.Count() >= 9);
        QCOMPARE(themes.Item(1)->Name(), QStringLiteral("(Custom)"));
        QCOMPARE(names(themes).removeDuplicates(), 0);
        const QStringList families = QFontDatabase::families();
        for (const clsThemeApp& theme : themes) {
            for (const clsThemeObj* part : {&theme.TvwTheme(), &theme.LvwTheme()}) {
                const QString what = theme.Name() + u' ' + part->GetFontString();
                const double a = luminance(part->FontColor()), b = luminance(part->BackColor());
                QVERIFY2((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05) >= 4.5,
                         qPrintable(what));
                QVERIFY2(part->FontSize() >= 8 && part->FontSize() <= 14, qPrintable(what));
                QVERIFY2(families.contains(part->FontName()), qPrintable(what));
            }
        }
    }

    // A themes file too large to read whole, or no plain file at all, is read as the
    // default and never written over: its themes would be lost.
    void unreadableThemesFileIsNeverReplaced()
    {
        QFile huge(themeFile());
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(40 << 20));
        huge.close();
        clsThemeApps themes = Themes::ReadThemes(themeFile());
        QCOMPARE(names(themes), QStringList{"(Custom)"});
        QString error;
        QVERIFY(!Themes::WriteThemes(themeFile(), themes, &error));
        QVERIFY(error.contains("not replaced"));
        QCOMPARE(QFileInfo(themeFile()).size(), qint64(40 << 20));

        QVERIFY(QFile::remove(themeFile()));
        QVERIFY(QFile::link("/dev/zero", themeFile()));
        QCOMPARE(names(Themes::ReadThemes(themeFile())), QStringList{"(Custom)"});
        QVERIFY(!Themes::WriteThemes(themeFile(), themes));
    }
};

QTEST_MAIN(TestThemes)
#include "test_themes.moc"

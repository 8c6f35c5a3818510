#include "app/clsOptions.h"
#include "appearance/ThemeFile.h"
#include "appearance/Themes.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/IconSet.h"
#include "platform/ColorRef.h"
#include "support/AppFixture.h"

#include <QCoreApplication>
#include <QFile>
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

clsThemeApps lettered(const QString& letters)
{
    clsThemeApps themes;
    for (const QChar c : letters)
        themes.Add()->SetName(c);
    return themes;
}

double luminance(std::int32_t colorRef)
{
    const QColor c = ColorRef::ToQColor(colorRef);
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(std::int32_t a, std::int32_t b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class TestThemes : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<clsOptions> m_options;
    IconSet m_icons = IconSet::Panes();

    QString themeFile() const { return Themes::ThemeFilePath(m_app->env.Root()); }
    void writeFile(const QByteArray& bytes)
    {
        QFile file(themeFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
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
        const char* const rows[][3] = {
            {"IB keeps flags", "Arial\t12\tIB", "Arial|12|B-"},
            {"b keeps flags", "Arial\t12\tb", "Arial|12|B-"},
            {"empty clears flags only", "", "Old|8|--"},
            {"10.5 to even", "Arial\t10.5\tB", "Arial|10|B-"},
            {"11.5 to even", "\t11.5\t", "|12|--"},
            {"face only", "Arial", "Arial|0|--"},
            {"no number", "Arial\tbig\tI", "Arial|0|-I"},
            {"too big", "Arial\t40000\tB", "Arial|0|B-"},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
    }
    void setFontString()
    {
        QFETCH(QString, text);
        clsThemeObj part;
        part.SetFontName(QStringLiteral("Old"));
        part.SetFontSize(8);
        part.SetFontBold(true);
        part.SetFontString(text);
        QTEST(describe(part.FontName(), part.FontSize(), part.FontBold(), part.FontItalic()),
              "expected");
    }

    void getFontString()
    {
        clsThemeObj part;
        part.SetFontName(QStringLiteral("Arial"));
        part.SetFontSize(9);
        for (const QString style : {"", "B", "I", "BI"}) {
            part.SetFontBold(style.contains(u'B'));
            part.SetFontItalic(style.contains(u'I'));
            const QString text = QStringLiteral("Arial\t9\t") + style; // plain ends in a TAB
            QCOMPARE(part.GetFontString(), text);
            clsThemeObj back;
            back.SetFontBold(!part.FontBold());
            back.SetFontString(text);
            QCOMPARE(back, part);
        }
    }

    void parseColor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("color");
        QTest::newRow("blue") << "0-0-255" << 16711680;
        QTest::newRow("mixed") << "1-2-3" << 1 + 2 * 256 + 3 * 65536;
        QTest::newRow("part rounds") << "254.6-0-0" << 255;
        QTest::newRow("part too big") << "256-0-0" << 0;
        QTest::newRow("missing parts") << "7-" << 7;
        QTest::newRow("a minus is a separator") << "-5" << 5 * 256;
        QTest::newRow("leading number") << "12abc" << 12;
        QTest::newRow("rounds half to even") << "2.5" << 2;
        QTest::newRow("no number") << "abc" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("beyond 32 bits") << "99999999999" << 0;
    }
    void parseColor()
    {
        QFETCH(QString, text);
        QTEST(Themes::ParseColor(text), "color");
    }

    void swapItems_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("order");
        QTest::newRow("adjacent") << 2 << 3 << "ACBDE";
        QTest::newRow("ends") << 1 << 5 << "EBCDA";
        QTest::newRow("reversed arguments") << 5 << 2 << "AECDB";
        QTest::newRow("same") << 3 << 3 << "ABCDE";
        QTest::newRow("out of range") << 0 << 6 << "ABCDE";
    }
    void swapItems()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        clsThemeApps themes = lettered(QStringLiteral("ABCDE"));
        themes.SwapItems(a, b);
        QTEST(names(themes).join(QString()), "order");
    }

    void itemRemoveAndClone()
    {
        clsThemeApps themes = lettered(QStringLiteral("ABC"));
        QVERIFY(!themes.Item(0) && !themes.Item(4) && !themes.Item(-1));
        clsThemeApp* b = themes.Item(2);
        b->LvwTheme().SetFontColor(42); // changed in place
        themes.Add();
        QCOMPARE(themes.Item(2), b);
        themes.Remove(1);
        themes.Remove(9);
        QCOMPARE(names(themes), (QStringList{"B", "C", ""}));

        b->TvwTheme().SetObjType(QStringLiteral("tree"));
        clsThemeApps copy;
        copy.Clone(themes);
        QCOMPARE(copy.Count(), 3);
        QCOMPARE(*copy.Item(1), *b);
        QVERIFY(copy.Item(1) != b);
        copy.Item(1)->LvwTheme().SetFontColor(7);
        copy.Item(1)->SetName(QStringLiteral("X"));
        QCOMPARE(b->LvwTheme().FontColor(), 42);
        QCOMPARE(b->Name(), QStringLiteral("B"));
    }

    void readThemes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("builtInCustom");
        const QString part = QStringLiteral("DejaVu Sans\t10\t0\t0\t16777215\t0");
        const QString custom = "(Custom)\t" + part + u'\t' + part;
        const QString a = "A\t" + part + u'\t' + part;
        QTest::newRow("custom first")
            << (custom + "\r\n" + a + "\r\n").toUtf8() << QStringList{"(Custom)", "A"} << false;
        QTest::newRow("other first") << a.toUtf8() << QStringList{"(Custom)", "A"} << true;
        QTest::newRow("blank lines, later custom")
            << ("\r\n   \r\n" + a + "\n\n" + custom + "\r").toUtf8()
            << QStringList{"(Custom)", "A", "(Custom)"} << true;
        QTest::newRow("CR line ends")
            << (custom + "\r" + a).toUtf8() << QStringList{"(Custom)", "A"} << false;
        QTest::newRow("Windows-1252")
            << QByteArray("Caf\xe9\tArial\t9") << QStringList{"(Custom)", "Café"} << true;
        QTest::newRow("empty file") << QByteArray() << QStringList{"(Custom)"} << true;
        QTest::newRow("only blanks") << QByteArray(" \r\n  ") << QStringList{"(Custom)"} << true;
    }
    void readThemes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, builtInCustom);
        writeFile(bytes);
        const clsThemeApps themes = Themes::ReadThemes(themeFile());
        QTEST(names(themes), "expected");
        const clsThemeObj& first = themes.Item(1)->TvwTheme();
        QCOMPARE(first.GetFontString(), builtInCustom ? QStringLiteral("MS Sans Serif\t10\tB")
                                                      : QStringLiteral("DejaVu Sans\t10\t"));
        QCOMPARE(first.BackColor(), 16777215);
    }

    void readThemesFieldsAndDamage()
    {
        writeFile("(Custom)\tTree\t8.5\t1\tx\t0-0-255\t255\tList\t11.5\t0\t-1\t16777215\t1-2-3\r\n"
                  "Short\t10\r\n");
        const clsThemeApps themes = Themes::ReadThemes(themeFile());
        QCOMPARE(themes.Count(), 2);
        const clsThemeApp& theme = *themes.Item(1);
        QCOMPARE(theme.TvwTheme().GetFontString(), QStringLiteral("Tree\t8\tB"));
        QCOMPARE(theme.TvwTheme().BackColor(), 16711680);
        QCOMPARE(theme.TvwTheme().FontColor(), 255);
        QCOMPARE(theme.LvwTheme().GetFontString(), QStringLiteral("List\t12\tI"));
        QCOMPARE(theme.LvwTheme().FontColor(), 1 + 2 * 256 + 3 * 65536);
        QCOMPARE(themes.Item(2)->TvwTheme().FontName(), QStringLiteral("10"));
        QCOMPARE(themes.Item(2)->LvwTheme().GetFontString(), QStringLiteral("\t0\t"));

        QCOMPARE(names(Themes::ReadThemes(m_app->env.Root() + "/missing.dat")),
                 QStringList{"(Custom)"});
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
            writeFile(junk);
            const clsThemeApps themes = Themes::ReadThemes(themeFile());
            QCOMPARE(themes.Item(1)->Name(), QStringLiteral("(Custom)"));
            QVERIFY(Themes::WriteThemes(themeFile(), themes));
            const clsThemeApps again = Themes::ReadThemes(themeFile());
            QCOMPARE(again.Count(), themes.Count());
            for (int i = 1; i <= themes.Count(); ++i)
                QCOMPARE(*again.Item(i), *themes.Item(i));
        }
    }

    void writeThenRead()
    {
        const QByteArray pumpkin("Pumpkin \xc3\xa9\tDejaVu Serif\t11\t-1\t-1\t1319739\t6730751"
                                 "\tDejaVu Sans\t9\t0\t0\t16777215\t0\r\n");
        writeFile(pumpkin);
        clsThemeApps themes = Themes::ReadThemes(themeFile());
        themes.Add()->SetName(QStringLiteral("Tab\there\r\nbroken"));
        QVERIFY(Themes::WriteThemes(themeFile(), themes));

        QFile file(themeFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[1] + '\n', pumpkin);
        QCOMPARE(lines[2].count('\t'), 12);
        QVERIFY(lines[3].isEmpty());
        const clsThemeApps back = Themes::ReadThemes(themeFile());
        QCOMPARE(back.Count(), 3);
        QCOMPARE(*back.Item(1), *themes.Item(1));
        QCOMPARE(*back.Item(2), *themes.Item(2));
        QCOMPARE(back.Item(3)->Name(), QStringLiteral("Tab here  broken"));

        QVERIFY(!Themes::WriteThemes(m_app->env.Root() + "/no/such/folder/Themes.dat", themes));
    }

    void findThemes()
    {
        clsThemeApps themes;
        for (const char* name : {"(Custom)", "Blue", "Copy", "Blue"}) {
            clsThemeApp* theme = themes.Add();
            Themes::InitDefaultTheme(*theme, QString::fromLatin1(name));
        }
        themes.Item(1)->LvwTheme().SetBackColor(1);
        m_options->SetlvwFont(Themes::DefaultFontString());
        m_options->SettvwFont(Themes::DefaultFontString());
        m_options->SetlvwBackColor(16777215);
        QCOMPARE(Themes::FindMatchingTheme(themes, QString(), *m_options), 2);
        QCOMPARE(Themes::FindMatchingTheme(themes, QStringLiteral("Copy"), *m_options), 3);
        QCOMPARE(Themes::FindMatchingTheme(themes, QStringLiteral("copy"), *m_options), 0);
        m_options->SettvwFont(QStringLiteral("MS Sans Serif\t10\tb")); // not the exact text
        QCOMPARE(Themes::FindMatchingTheme(themes, QString(), *m_options), 0);

        QCOMPARE(Themes::FindThemeByName(themes, QStringLiteral("Blue")), 2);
        QCOMPARE(Themes::FindThemeByName(themes, QStringLiteral("Copy")), 3);
        QCOMPARE(Themes::FindThemeByName(themes, QStringLiteral("Unknown")), 1);
    }

    void applyFontString_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        // Starting from DejaVu Sans Mono, 8 points, bold.
        const char* const rows[][3] = {
            {"all set", "DejaVu Sans\t11\tBI", "DejaVu Sans|11|BI"},
            {"face in any case", "dejavu serif\t9\t", "DejaVu Serif|9|--"},
            {"lower-case style", "\t\tib", "DejaVu Sans Mono|8|BI"},
            {"fraction", "DejaVu Sans\t10.5\tI", "DejaVu Sans|10.5|-I"},
            {"empty clears style", "", "DejaVu Sans Mono|8|--"},
            {"missing face stops", "No Such Face 42\t20\tI", "DejaVu Sans Mono|8|B-"},
            {"bad size stops", "DejaVu Sans\tbig\tI", "DejaVu Sans|8|B-"},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
    }
    void applyFontString()
    {
        QFETCH(QString, text);
        QWidget widget;
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setPointSizeF(8);
        font.setBold(true);
        widget.setFont(font);
        Themes::ApplyFontString(&widget, text);
        Themes::ApplyFontString(nullptr, text);
        const QFont& f = widget.font();
        QTEST(describe(f.family(), f.pointSizeF(), f.bold(), f.italic()), "expected");
    }

    void chooseStartupTheme()
    {
        QTreeWidget treeWidget, listWidget;
        FavoritesTree tree(&treeWidget, m_icons);
        FavoritesList list(&listWidget, m_icons);
        list.AddColumn(QStringLiteral("Name"), 100);
        list.AddColumn(QStringLiteral("Address"), 100);
        tree.AddFolderNode(tree.AddRoot(QStringLiteral("Favorites"), QString(), "Favorites"),
                           QStringLiteral("News"), QStringLiteral("/f/News"));
        list.AddRows({{"K1", "One", "URL", "/f/One.url", {"http://one"}},
                      {"K2", "Two", "URL", "/f/Two.url", {"http://two"}}});
        const QString listFace = listWidget.font().family();
        // The list's face is not installed: its font stays as it was.
        writeFile("Ocean\tDejaVu Sans\t11\t-1\t0\t6110219\t16773337\t"
                  "No Such Face 42\t12\t0\t-1\t16512746\t7358987\r\n");
        clsThemeApps themes = Themes::ReadThemes(themeFile());
        const clsThemeObj& tvw = themes.Item(2)->TvwTheme();
        const clsThemeObj& lvw = themes.Item(2)->LvwTheme();

        m_options->SetThemeName(QStringLiteral("Ocean"));
        Themes::ChooseStartupTheme(themes, *m_options, tree, list);
        QCOMPARE(Themes::FindMatchingTheme(themes, QString(), *m_options), 2);
        QCOMPARE(m_options->ThemeName(), QStringLiteral("Ocean"));
        for (QTreeWidgetItem* node : tree.Nodes()) {
            QCOMPARE(node->foreground(0).color(), ColorRef::ToQColor(tvw.FontColor()));
            QCOMPARE(node->background(0).color(), ColorRef::ToQColor(tvw.BackColor()));
        }
        QCOMPARE(treeWidget.viewport()->palette().color(QPalette::Base),
                 ColorRef::ToQColor(tvw.BackColor()));
        QCOMPARE(list.Item(1)->foreground(1).color(), ColorRef::ToQColor(lvw.FontColor()));
        QCOMPARE(listWidget.palette().color(QPalette::Base), ColorRef::ToQColor(lvw.BackColor()));
        QVERIFY(treeWidget.font().family() == tvw.FontName() && treeWidget.font().bold());
        QCOMPARE(listWidget.font().family(), listFace);

        // An unknown name falls back to position 1.
        m_options->SetThemeName(QStringLiteral("Gone"));
        Themes::ChooseStartupTheme(themes, *m_options, tree, list);
        QCOMPARE(m_options->lvwFont(), Themes::DefaultFontString());
        QCOMPARE(Themes::FindMatchingTheme(themes, QString(), *m_options), 1);

        // No name: the settings stand and are kept in "(Custom)".
        m_options->SetThemeName(QString());
        m_options->SetlvwForeColor(0x123456);
        m_options->SettvwFont(QStringLiteral("DejaVu Serif\t9\tI"));
        Themes::ChooseStartupTheme(themes, *m_options, tree, list);
        QCOMPARE(m_options->lvwForeColor(), 0x123456);
        QCOMPARE(m_options->tvwFont(), QStringLiteral("DejaVu Serif\t9\tI"));
        QCOMPARE(themes.Item(1)->LvwTheme().FontColor(), 0x123456);
        QCOMPARE(Themes::FindMatchingTheme(themes, QStringLiteral("(Custom)"), *m_options), 1);
    }

    void shippedThemes()
    {
        QString folder = qEnvironmentVariable("TAVORO_PROGRAM_DIR");
        if (folder.isEmpty())
            folder = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
        const QString path = Themes::ThemeFilePath(folder);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        const clsThemeApps themes = Themes::ReadThemes(path);
        QVERIFY(themes.Count() >= 9);
        QCOMPARE(themes.Item(1)->Name(), QStringLiteral("(Custom)"));
        QVERIFY(names(themes).contains(QStringLiteral("Pumpkin")));
        QCOMPARE(names(themes).removeDuplicates(), 0);
        const QStringList families = QFontDatabase::families();
        for (const clsThemeApp& theme : themes) {
            for (const clsThemeObj* part : {&theme.TvwTheme(), &theme.LvwTheme()}) {
                const QString what = theme.Name() + u' ' + part->GetFontString();
                QVERIFY2(contrast(part->FontColor(), part->BackColor()) >= 4.5, qPrintable(what));
                QVERIFY2(part->FontSize() >= 8 && part->FontSize() <= 14, qPrintable(what));
                QVERIFY2(families.contains(part->FontName()), qPrintable(what));
            }
        }
    }
};

QTEST_MAIN(TestThemes)
#include "test_themes.moc"

#include "app/HelpWindow.h"
#include "app/ToolbarLayout.h"
#include "app/clsOptions.h"
#include "app/frmToolbar.h"
#include "favorites/IconSet.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QHash>
#include <QListWidget>
#include <QTest>

#include <functional>

namespace {

// The catalogue without its separators, in order.
const QString kAllOffered = QStringLiteral(
    "Open,Favorites,OpenLink,OpenNewLink,PasteLink,Refresh,Search,AlwaysOnTop,Arrange,Fonts,"
    "Color,Themes,CopyTo,MoveTo,Delete,Rename,NewFolder,Properties,ViewNormal,AtoZ,ABtoYZ,"
    "List,Accessed,Modified,Created,SearchResults,Help");

// What the default layout leaves on offer.
const QString kDefaultOffered =
    QStringLiteral("Open,Favorites,AlwaysOnTop,Arrange,Fonts,Color,Themes");

QString keys(const QListWidget* list)
{
    return frmToolbar::EntryKeys(list).join(u',');
}

QString without(const QString& keyList, const QStringList& gone)
{
    QStringList left = keyList.split(u',');
    for (const QString& key : gone)
        left.removeAll(key);
    return left.join(u',');
}

// Keys of the selected entries, in list order.
QStringList selectedKeys(const QListWidget* list)
{
    QStringList result;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->isSelected())
            result << frmToolbar::EntryKeys(list).at(row);
    }
    return result;
}

void select(QListWidget* list, const QList<int>& rows)
{
    list->clearSelection();
    for (int row : rows)
        list->item(row)->setSelected(true);
}

// Every entry shows its button's description and picture, a separator "<Separator>".
bool entriesShowTheirKeys(const QListWidget* list)
{
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* entry = list->item(row);
        const QString key = frmToolbar::EntryKey(entry);
        const QString text =
            key.isEmpty() ? QStringLiteral("<Separator>") : ToolbarLayout::ButtonDescription(key);
        // A key without a picture (one typed into the settings by hand) shows none.
        if (entry->text() != text ||
            entry->icon().isNull() == IconSet::Toolbar().Has(key.isEmpty() ? "Blank" : key))
            return false;
    }
    return true;
}

} // namespace

class TestToolbarDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<frmToolbar> m_dialog;

    frmToolbar& open(const QString& layout)
    {
        m_dialog = std::make_unique<frmToolbar>(*m_prompts, IconSet::Toolbar());
        m_dialog->SetToolbarButtons(layout);
        m_dialog->InitLists();
        return *m_dialog;
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_prompts = std::make_unique<ScriptedPrompts>();
    }
    void cleanup()
    {
        m_dialog.reset();
        delete HelpWindow::Shared();
        m_prompts.reset();
        m_env.reset();
    }

    void initLists_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("members");
        QTest::addColumn<QString>("available");
        QTest::newRow("default") << clsOptions::DefaultToolbarButtons
                                 << clsOptions::DefaultToolbarButtons << kDefaultOffered;
        // The last field: the keys no longer on offer.
        const char* const rows[][4] = {
            {"separator and Help", "S,Help", "S,Help", "Help"},
            {"empty field skipped", "Refresh,,Help", "Refresh,Help", "Refresh,Help"},
            {"membership ignores case", "help,REFRESH", "help,REFRESH", "Refresh,Help"},
            {"whole keys only", "OpenLink", "OpenLink", "OpenLink"},
            {"empty", "", "", ""},
            {"only commas", " , ,", "", ""},
            {"keys not on offer", "CopyLink,Explore", "CopyLink,Explore", ""},
        };
        for (const auto& row : rows) {
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2])
                                  << without(kAllOffered, QString(row[3]).split(u','));
        }
    }
    void initLists()
    {
        QFETCH(QString, layout);
        QFETCH(QString, members);
        QFETCH(QString, available);
        frmToolbar& dialog = open(layout);
        QCOMPARE(keys(dialog.lvwMembers()), members);
        QCOMPARE(keys(dialog.lvwAvailable()), available);
        QVERIFY(entriesShowTheirKeys(dialog.lvwMembers()) &&
                entriesShowTheirKeys(dialog.lvwAvailable()));
    }

    // Clicks: a Add, r Remove, s Separator, u Move Up, d Move Down; A and R double-click
    // the available and the member list. The chosen rows are selected in the list the
    // clicks take from; current is the member current then.
    void edit_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("chosen"); // row numbers
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("members");
        QTest::addColumn<QString>("gained");   // appended to the available list
        QTest::addColumn<QString>("selected"); // in either list afterwards
        struct Row
        {
            const char *name, *layout;
            int current;
            const char *chosen, *clicks, *members, *gained, *selected;
        };
        // Available starts Open, Favorites, OpenLink, OpenNewLink, PasteLink, Search...
        const Row rows[] = {
            {"add after the current", "S,Help,Refresh", 1, "0 2 4", "a",
             "S,Help,Open,OpenLink,PasteLink,Refresh", "", "Open,OpenLink,PasteLink"},
            {"add after the last", "S,Help,Refresh", 2, "0 1", "a", "S,Help,Refresh,Open,Favorites",
             "", "Open,Favorites"},
            {"add without current", "S,Help,Refresh", -1, "3", "a", "S,Help,Refresh,OpenNewLink",
             "", "OpenNewLink"},
            {"add nothing", "S,Help,Refresh", 1, "", "a", "S,Help,Refresh", "", ""},
            {"remove a separator", "S,Help,S,Refresh", -1, "0", "r", "Help,S,Refresh", "", ""},
            {"remove a button", "S,Help,S,Refresh", -1, "3", "r", "S,Help,S", "Refresh", "Refresh"},
            // Taken from the last up, so they arrive the other way round.
            {"remove several", "S,Help,S,Refresh", -1, "1 2 3", "r", "S", "Refresh,Help",
             "Refresh,Help"},
            {"double-click adds", "Help", -1, "1", "A", "Help,Favorites", "", "Favorites"},
            {"double-click removes", "Help,Open", -1, "0", "R", "Open", "Help", "Help"},
            {"remove nothing", "S,Help,S,Refresh", -1, "", "r", "S,Help,S,Refresh", "", ""},
            {"separator, no current", "Help,Refresh", -1, "", "s", "Help,Refresh,S", "", ""},
            {"separator after the current", "Help,Refresh", 0, "", "s", "Help,S,Refresh", "", ""},
            {"separator after the last", "Help,Refresh", 1, "", "s", "Help,Refresh,S", "", ""},
            {"separator into none", "", -1, "", "s", "S", "", ""},
            {"up on the first", "Open,S,Help", 0, "", "u", "Open,S,Help", "", ""},
            {"down on the last", "Open,S,Help", 2, "", "d", "Open,S,Help", "", ""},
            {"up without current", "Open,S,Help", -1, "", "u", "Open,S,Help", "", ""},
            {"down without current", "Open,S,Help", -1, "", "d", "Open,S,Help", "", ""},
            {"separator up", "Open,S,Help", 1, "", "u", "S,Open,Help", "", "S"},
            {"button up", "Open,S,Help", 2, "", "u", "Open,Help,S", "", "Help"},
            {"button down", "Open,S,Help", 0, "", "d", "S,Open,Help", "", "Open"},
            // The moved entry stays current, so repeated moves carry it to the top.
            {"carried to the top", "Open,Refresh,Search,Help", 3, "", "uuuuu",
             "Help,Open,Refresh,Search", "", "Help"},
        };
        for (const Row& r : rows) {
            QTest::newRow(r.name) << QString(r.layout) << r.current << QString(r.chosen)
                                  << QString(r.clicks) << QString(r.members) << QString(r.gained)
                                  << QString(r.selected);
        }
    }
    void edit()
    {
        QFETCH(QString, layout);
        QFETCH(int, current);
        QFETCH(QString, chosen);
        QFETCH(QString, clicks);
        QFETCH(QString, gained);
        frmToolbar& dialog = open(layout);
        QListWidget* members = dialog.lvwMembers();
        QListWidget* available = dialog.lvwAvailable();
        const QString availableBefore = keys(available);
        QList<int> rows;
        for (const QString& row : chosen.split(u' ', Qt::SkipEmptyParts))
            rows << row.toInt();
        select(clicks.startsWith(u'a', Qt::CaseInsensitive) ? available : members, rows);
        members->setCurrentItem(members->item(current), QItemSelectionModel::NoUpdate);
        const auto doubleClick = [](QListWidget* list) {
            return [list] { Q_EMIT list->itemDoubleClicked(list->selectedItems().first()); };
        };
        const QHash<QChar, std::function<void()>> commands{
            {u'a', [&dialog] { dialog.AddClick(); }},
            {u'r', [&dialog] { dialog.RemoveClick(); }},
            {u's', [&dialog] { dialog.SeparatorClick(); }},
            {u'u', [&dialog] { dialog.MoveUpClick(); }},
            {u'd', [&dialog] { dialog.MoveDownClick(); }},
            {u'A', doubleClick(available)},
            {u'R', doubleClick(members)}};
        for (const QChar click : clicks)
            commands.value(click)();

        QTEST(keys(members), "members");
        // Nothing lost or doubled: what joined the members left the offer, and the reverse.
        const QString kept = without(availableBefore, keys(members).split(u','));
        QCOMPARE(keys(available), kept + (kept.isEmpty() || gained.isEmpty() ? "" : ",") + gained);
        QTEST((selectedKeys(members) + selectedKeys(available)).join(u','), "selected");
        QVERIFY(entriesShowTheirKeys(members) && entriesShowTheirKeys(available));
    }

    void reset()
    {
        frmToolbar& dialog = open(QStringLiteral("Help,Open"));
        select(dialog.lvwMembers(), {1});
        dialog.RemoveClick();
        const auto shown = [&dialog] {
            return keys(dialog.lvwMembers()) + u'|' + keys(dialog.lvwAvailable());
        };
        const QString changed = shown();
        m_prompts->answers << Prompts::Answer::Cancel << Prompts::Answer::Ok;
        dialog.ResetClick();
        QCOMPARE(shown(), changed);
        dialog.ResetClick();
        // The default layout, not the one the dialog was opened with.
        QCOMPARE(shown(), clsOptions::DefaultToolbarButtons + u'|' + kDefaultOffered);
        QCOMPARE(dialog.ToolbarButtons(), QStringLiteral("Help,Open"));
        const QString question =
            QStringLiteral("Are you sure you want to reset the changes made to the toolbar?");
        QCOMPARE(m_prompts->texts(), (QStringList{question, question}));
        const ScriptedPrompts::Message& message = m_prompts->messages.first();
        QVERIFY(message.buttons == Prompts::Buttons::OkCancel &&
                message.icon == Prompts::Icon::Exclamation);
        QCOMPARE(message.title, QStringLiteral("Tavoro"));
    }

    void ok_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QList<int>>("removed");
        QTest::addColumn<QString>("result");
        QTest::newRow("unchanged default") << clsOptions::DefaultToolbarButtons << QList<int>{}
                                           << clsOptions::DefaultToolbarButtons;
        QTest::newRow("separators kept") << "S,Help,S" << QList<int>{} << "S,Help,S";
        QTest::newRow("empty fields dropped") << "Refresh,,Help" << QList<int>{} << "Refresh,Help";
        QTest::newRow("everything removed") << "S,Help,Refresh" << QList<int>{0, 1, 2} << "";
        QTest::newRow("one removed") << "S,Help,Refresh" << QList<int>{1} << "S,Refresh";
    }
    void ok()
    {
        QFETCH(QString, layout);
        QFETCH(QList<int>, removed);
        frmToolbar& dialog = open(layout);
        select(dialog.lvwMembers(), removed);
        dialog.RemoveClick();
        dialog.OKClick();
        QTEST(dialog.ToolbarButtons(), "result");
        QVERIFY(dialog.IsSaved() && dialog.result() == QDialog::Accepted);
    }

    void cancel()
    {
        frmToolbar& dialog = open(QStringLiteral("S,Help"));
        select(dialog.lvwAvailable(), {0, 1});
        dialog.AddClick();
        dialog.SeparatorClick();
        dialog.ResetClick(); // answered OK
        dialog.CancelClick();
        QCOMPARE(dialog.ToolbarButtons(), QStringLiteral("S,Help"));
        QVERIFY(!dialog.IsSaved() && dialog.result() == QDialog::Rejected);
    }

    void customizeCancelled()
    {
        QString shownMembers;
        m_prompts->dialogHandler = [&shownMembers](QDialog& shown) {
            auto& dialog = dynamic_cast<frmToolbar&>(shown);
            shownMembers = keys(dialog.lvwMembers());
            select(dialog.lvwMembers(), {0, 1});
            dialog.RemoveClick();
            dialog.CancelClick();
            return shown.result();
        };
        QCOMPARE(frmToolbar::Customize(QStringLiteral("S,Help,Refresh"), *m_prompts,
                                       IconSet::Toolbar(), nullptr),
                 QStringLiteral("S,Help,Refresh"));
        QCOMPARE(shownMembers, QStringLiteral("S,Help,Refresh"));
    }

    void help()
    {
        HelpWindow::SetSharedFolder(m_env->Root());
        frmToolbar& dialog = open(QStringLiteral("Help"));
        dialog.HelpClick();
        QVERIFY(HelpWindow::Shared());
        QCOMPARE(HelpWindow::Shared()->CurrentTopic(), 51009);
        HelpWindow::SetSharedFolder(QString());
    }
};

QTEST_MAIN(TestToolbarDialog)
#include "test_toolbardialog.moc"

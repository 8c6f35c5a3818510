#include "app/HelpWindow.h"
#include "app/ToolbarLayout.h"
#include "app/clsOptions.h"
#include "app/frmToolbar.h"
#include "favorites/IconSet.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QListWidget>
#include <QTest>

namespace {

// The catalogue without its separators, in order.
const QString kAllOffered = QStringLiteral(
    "Open,Favorites,OpenLink,OpenNewLink,PasteLink,Refresh,Search,AlwaysOnTop,Arrange,Fonts,"
    "Color,Themes,CopyTo,MoveTo,Delete,Rename,NewFolder,Properties,ViewNormal,AtoZ,ABtoYZ,"
    "List,Accessed,Modified,Created,SearchResults,Help");

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

QList<int> selectedRows(const QListWidget* list)
{
    QList<int> rows;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->isSelected())
            rows.append(row);
    }
    return rows;
}

void select(QListWidget* list, const QList<int>& rows)
{
    list->clearSelection();
    for (int row : rows)
        list->item(row)->setSelected(true);
}

void makeCurrent(QListWidget* list, int row)
{
    list->setCurrentItem(row >= 0 ? list->item(row) : nullptr, QItemSelectionModel::NoUpdate);
}

// Every entry shows its button's description and picture, a separator "<Separator>".
bool entriesShowTheirKeys(const QListWidget* list)
{
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* entry = list->item(row);
        const QString key = frmToolbar::EntryKey(entry);
        const QString text = key.isEmpty() ? QStringLiteral("<Separator>")
                                           : ToolbarLayout::ButtonDescription(key);
        // A key without a picture (one typed into the settings by hand) shows none.
        if (entry->text() != text
            || entry->icon().isNull() == IconSet::Toolbar().Has(key.isEmpty() ? "Blank" : key))
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
                                 << clsOptions::DefaultToolbarButtons
                                 << "Open,Favorites,AlwaysOnTop,Arrange,Fonts,Color,Themes";
        QTest::newRow("separator and Help")
            << "S,Help" << "S,Help" << without(kAllOffered, {"Help"});
        QTest::newRow("empty field skipped")
            << "Refresh,,Help" << "Refresh,Help" << without(kAllOffered, {"Refresh", "Help"});
        QTest::newRow("membership ignores case")
            << "help,REFRESH" << "help,REFRESH" << without(kAllOffered, {"Refresh", "Help"});
        QTest::newRow("whole keys only")
            << "OpenLink" << "OpenLink" << without(kAllOffered, {"OpenLink"});
        QTest::newRow("empty") << "" << "" << kAllOffered;
        QTest::newRow("only commas") << " , ," << "" << kAllOffered;
        QTest::newRow("keys not on offer") << "CopyLink,Explore" << "CopyLink,Explore"
                                           << kAllOffered;
    }
    void initLists()
    {
        QFETCH(QString, layout);
        QFETCH(QString, members);
        QFETCH(QString, available);
        frmToolbar& dialog = open(layout);
        QCOMPARE(keys(dialog.lvwMembers()), members);
        QCOMPARE(keys(dialog.lvwAvailable()), available);
        QVERIFY(entriesShowTheirKeys(dialog.lvwMembers()));
        QVERIFY(entriesShowTheirKeys(dialog.lvwAvailable()));
        QCOMPARE(dialog.ToolbarButtons(), layout);
        QVERIFY(!dialog.IsSaved());
    }

    void add_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<int>>("chosen"); // rows of the available list
        QTest::addColumn<QString>("members");
        QTest::addColumn<QList<int>>("selected"); // member rows selected afterwards
        // Available starts Open, Favorites, OpenLink, OpenNewLink, PasteLink, Search...
        QTest::newRow("second member current")
            << 1 << QList<int>{0, 2, 4} << "S,Help,Open,OpenLink,PasteLink,Refresh"
            << QList<int>{2, 3, 4};
        QTest::newRow("first member current")
            << 0 << QList<int>{1} << "S,Favorites,Help,Refresh" << QList<int>{1};
        QTest::newRow("last member current")
            << 2 << QList<int>{0, 1} << "S,Help,Refresh,Open,Favorites" << QList<int>{3, 4};
        QTest::newRow("no current member")
            << -1 << QList<int>{3} << "S,Help,Refresh,OpenNewLink" << QList<int>{3};
        QTest::newRow("nothing chosen") << 1 << QList<int>{} << "S,Help,Refresh" << QList<int>{};
    }
    void add()
    {
        QFETCH(int, current);
        QFETCH(QList<int>, chosen);
        QFETCH(QString, members);
        QFETCH(QList<int>, selected);
        frmToolbar& dialog = open(QStringLiteral("S,Help,Refresh"));
        const QString availableBefore = keys(dialog.lvwAvailable());
        makeCurrent(dialog.lvwMembers(), current);
        select(dialog.lvwAvailable(), chosen);
        QStringList moved;
        for (int row : chosen)
            moved.append(frmToolbar::EntryKey(dialog.lvwAvailable()->item(row)));

        dialog.AddClick();
        QCOMPARE(keys(dialog.lvwMembers()), members);
        QCOMPARE(selectedRows(dialog.lvwMembers()), selected);
        QCOMPARE(keys(dialog.lvwAvailable()), without(availableBefore, moved));
        QVERIFY(entriesShowTheirKeys(dialog.lvwMembers()));
    }

    void doubleClicks()
    {
        frmToolbar& dialog = open(QStringLiteral("Help"));
        QListWidget* available = dialog.lvwAvailable();
        select(available, {1});
        Q_EMIT available->itemDoubleClicked(available->item(1));
        QCOMPARE(keys(dialog.lvwMembers()), QStringLiteral("Help,Favorites"));

        QListWidget* members = dialog.lvwMembers();
        select(members, {0});
        Q_EMIT members->itemDoubleClicked(members->item(0));
        QCOMPARE(keys(members), QStringLiteral("Favorites"));
        QVERIFY(keys(available).endsWith(QLatin1String(",Help")));
    }

    void remove_data()
    {
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<QString>("members");
        QTest::addColumn<QString>("gained"); // entries appended to the available list
        QTest::newRow("a separator") << QList<int>{0} << "Help,S,Refresh" << "";
        QTest::newRow("two separators") << QList<int>{0, 2} << "Help,Refresh" << "";
        QTest::newRow("a button") << QList<int>{3} << "S,Help,S" << "Refresh";
        // Taken from the last up, so they arrive the other way round.
        QTest::newRow("buttons and a separator")
            << QList<int>{1, 2, 3} << "S" << "Refresh,Help";
        QTest::newRow("nothing chosen") << QList<int>{} << "S,Help,S,Refresh" << "";
    }
    void remove()
    {
        QFETCH(QList<int>, chosen);
        QFETCH(QString, members);
        QFETCH(QString, gained);
        frmToolbar& dialog = open(QStringLiteral("S,Help,S,Refresh"));
        const QString availableBefore = keys(dialog.lvwAvailable());
        select(dialog.lvwMembers(), chosen);

        dialog.RemoveClick();
        QCOMPARE(keys(dialog.lvwMembers()), members);
        const QString expected =
            gained.isEmpty() ? availableBefore : availableBefore + u',' + gained;
        QCOMPARE(keys(dialog.lvwAvailable()), expected);
        const int count = dialog.lvwAvailable()->count();
        const int added = gained.isEmpty() ? 0 : int(gained.count(u',')) + 1;
        QList<int> tail;
        for (int row = count - added; row < count; ++row)
            tail.append(row);
        QCOMPARE(selectedRows(dialog.lvwAvailable()), tail);
    }

    void separator_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("members");
        QTest::newRow("no current") << "Help,Refresh,Search" << -1 << "Help,Refresh,Search,S";
        QTest::newRow("first current") << "Help,Refresh,Search" << 0 << "Help,S,Refresh,Search";
        QTest::newRow("middle current") << "Help,Refresh,Search" << 1 << "Help,Refresh,S,Search";
        QTest::newRow("last current") << "Help,Refresh,Search" << 2 << "Help,Refresh,Search,S";
        QTest::newRow("empty list") << "" << -1 << "S";
    }
    void separator()
    {
        QFETCH(QString, layout);
        QFETCH(int, current);
        QFETCH(QString, members);
        frmToolbar& dialog = open(layout);
        const QString availableBefore = keys(dialog.lvwAvailable());
        makeCurrent(dialog.lvwMembers(), current);
        dialog.SeparatorClick();
        QCOMPARE(keys(dialog.lvwMembers()), members);
        QCOMPARE(keys(dialog.lvwAvailable()), availableBefore);
    }

    void move_data()
    {
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("members");
        QTest::addColumn<int>("currentAfter");
        QTest::newRow("up on the first") << true << 0 << "Open,S,Help" << 0;
        QTest::newRow("down on the last") << false << 2 << "Open,S,Help" << 2;
        QTest::newRow("up without current") << true << -1 << "Open,S,Help" << -1;
        QTest::newRow("down without current") << false << -1 << "Open,S,Help" << -1;
        QTest::newRow("separator up") << true << 1 << "S,Open,Help" << 0;
        QTest::newRow("button up") << true << 2 << "Open,Help,S" << 1;
        QTest::newRow("button down") << false << 0 << "S,Open,Help" << 1;
    }
    void move()
    {
        QFETCH(bool, up);
        QFETCH(int, current);
        QFETCH(QString, members);
        QFETCH(int, currentAfter);
        frmToolbar& dialog = open(QStringLiteral("Open,S,Help"));
        makeCurrent(dialog.lvwMembers(), current);
        up ? dialog.MoveUpClick() : dialog.MoveDownClick();
        QCOMPARE(keys(dialog.lvwMembers()), members);
        QCOMPARE(dialog.lvwMembers()->currentRow(), currentAfter);
        if (currentAfter != current)
            QCOMPARE(selectedRows(dialog.lvwMembers()), QList<int>{currentAfter});
        QVERIFY(entriesShowTheirKeys(dialog.lvwMembers()));
    }

    void repeatedMoves()
    {
        frmToolbar& dialog = open(QStringLiteral("Open,Refresh,Search,Help"));
        makeCurrent(dialog.lvwMembers(), 3);
        for (int i = 0; i < 5; ++i)
            dialog.MoveUpClick();
        QCOMPARE(keys(dialog.lvwMembers()), QStringLiteral("Help,Open,Refresh,Search"));
    }

    void reset_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("resets");
        QTest::newRow("OK") << int(Prompts::Answer::Ok) << true;
        QTest::newRow("Cancel") << int(Prompts::Answer::Cancel) << false;
    }
    void reset()
    {
        QFETCH(int, answer);
        QFETCH(bool, resets);
        frmToolbar& dialog = open(QStringLiteral("Help,Open"));
        select(dialog.lvwMembers(), {1});
        dialog.RemoveClick();
        const QString changedMembers = keys(dialog.lvwMembers());
        const QString changedAvailable = keys(dialog.lvwAvailable());

        m_prompts->answers.enqueue(static_cast<Prompts::Answer>(answer));
        dialog.ResetClick();
        QCOMPARE(m_prompts->messages.size(), 1);
        const ScriptedPrompts::Message& message = m_prompts->messages.first();
        QCOMPARE(message.text,
                 QStringLiteral("Are you sure you want to reset the changes made to the toolbar?"));
        QVERIFY(message.buttons == Prompts::Buttons::OkCancel);
        QVERIFY(message.icon == Prompts::Icon::Exclamation);
        QCOMPARE(message.title, QStringLiteral("Tavoro"));
        if (resets) {
            // The default layout, not the one the dialog was opened with.
            QCOMPARE(keys(dialog.lvwMembers()), clsOptions::DefaultToolbarButtons);
            QCOMPARE(keys(dialog.lvwAvailable()),
                     QStringLiteral("Open,Favorites,AlwaysOnTop,Arrange,Fonts,Color,Themes"));
        } else {
            QCOMPARE(keys(dialog.lvwMembers()), changedMembers);
            QCOMPARE(keys(dialog.lvwAvailable()), changedAvailable);
        }
        QCOMPARE(dialog.ToolbarButtons(), QStringLiteral("Help,Open"));
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
        QFETCH(QString, result);
        frmToolbar& dialog = open(layout);
        select(dialog.lvwMembers(), removed);
        dialog.RemoveClick();
        dialog.OKClick();
        QCOMPARE(dialog.ToolbarButtons(), result);
        QVERIFY(dialog.IsSaved());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
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
        QVERIFY(!dialog.IsSaved());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void customize()
    {
        m_prompts->dialogHandler = [](QDialog& shown) {
            auto& dialog = dynamic_cast<frmToolbar&>(shown);
            select(dialog.lvwMembers(), {0});
            dialog.RemoveClick();
            dialog.OKClick();
            return shown.result();
        };
        QCOMPARE(frmToolbar::Customize(QStringLiteral("S,Help,Refresh"), *m_prompts,
                                       IconSet::Toolbar(), nullptr),
                 QStringLiteral("Help,Refresh"));

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

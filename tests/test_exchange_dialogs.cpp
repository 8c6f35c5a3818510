#include "editing/ChangeHistory.h"
#include "exchange/BookmarkTree.h"
#include "exchange/ExchangeCommands.h"
#include "exchange/ExportDialog.h"
#include "exchange/ImportDialog.h"
#include "exchange/ProgressRunner.h"
#include "platform/FileSystemService.h"
#include "support/FakeClock.h"
#include "support/FavoritesBuilder.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

void ClickOk(QDialog& dialog)
{
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

} // namespace

class TestExchangeDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The profiles found are offered first, and the new folder is named after the browser.
    void importThroughTheDialog()
    {
        TestEnvironment env;
        FavoritesBuilder b(env.Favorites());
        b.Folder("Imported from Chromium 2024-01-01");
        QDir().mkpath(env.Home() + "/.config/chromium/Default");
        QVERIFY(QFile::copy(QFINDTESTDATA("data/exchange/Bookmarks"),
                            env.Home() + "/.config/chromium/Default/Bookmarks"));
        FileSystemService fileSystem;
        ScriptedPrompts prompts;
        FakeClock clock;
        QStringList offered;
        prompts.dialogHandler = [&](QDialog& shown) {
            auto& dialog = dynamic_cast<ImportDialog&>(shown);
            for (int i = 0; i < dialog.cboSource()->count(); ++i)
                offered << dialog.cboSource()->itemText(i);
            offered << dialog.Target().replace(env.Favorites(), "@fav");
            ClickOk(dialog);
            return dialog.result();
        };
        ExchangeCommands commands({fileSystem, prompts, clock, env.Favorites(), env.Home()},
                                  nullptr);
        ChangeHistory history(fileSystem, prompts, nullptr);
        QVERIFY(commands.ImportBookmarks());
        QCOMPARE(offered,
                 QStringList({"Chromium - Default", "A bookmarks file (HTML, XBEL or Chromium)",
                              "Another folder of Internet Shortcuts",
                              "@fav/Imported from Chromium 2024-01-01 (2)"}));
        QCOMPARE(prompts.texts().join('|').replace(env.Favorites(), "@fav"),
                 "Imported 3 links and 3 folders into @fav/Imported from Chromium 2024-01-01 (2).");
        QVERIFY(QFile::exists(
            b.Path("Imported from Chromium 2024-01-01 (2)/Bookmarks bar/Folder/Bad-Name.url")));
        QVERIFY(history.Undo() && !QFile::exists(b.Path("Imported from Chromium 2024-01-01 (2)")));
    }

    void exportThroughTheDialog()
    {
        TestEnvironment env;
        FavoritesBuilder b(env.Favorites());
        b.Build("News/BBC.url = http://bbc.co.uk\nOther.url = http://other");
        FileSystemService fileSystem;
        ScriptedPrompts prompts;
        FakeClock clock;
        prompts.dialogHandler = [&](QDialog& shown) {
            auto& dialog = dynamic_cast<ExportDialog&>(shown);
            if (!dialog.optSelected()->isChecked() || !dialog.File().endsWith("/bookmarks.html"))
                return int(QDialog::Rejected);
            dialog.cboFormat()->setCurrentIndex(1);
            ClickOk(dialog);
            return dialog.result();
        };
        ExchangeCommands commands({fileSystem, prompts, clock, env.Favorites(), env.Root()},
                                  nullptr);
        commands.ExportBookmarks(b.Path("News"));
        QCOMPARE(prompts.texts().join('|').replace(env.Root(), "@"),
                 "Exported 1 link and 0 folders to @/bookmarks.xbel.");
        QVERIFY(b.Read("../bookmarks.xbel").contains("<bookmark href=\"http://bbc.co.uk\""));
    }

    // Work over half a second shows its count and stops on Cancel; short work shows nothing.
    void progressAndCancel()
    {
        ExchangeProgress progress;
        QProgressDialog* seen = nullptr;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QProgressDialog*>(widget);
                    dialog && dialog->isVisible() && dialog->labelText().contains("done")) {
                    seen = dialog;
                    dialog->findChild<QPushButton*>()->click();
                }
            }
        });
        poll.start(20);
        ProgressRunner::Run(nullptr, "Importing", progress, [&progress] {
            while (!progress.Cancel)
                progress.Done = progress.Done + 1;
        });
        QVERIFY(seen);
        QVERIFY(progress.Done > 0);
        seen = nullptr;
        progress.Cancel = false;
        ProgressRunner::Run(nullptr, "Importing", progress, [] {});
        QVERIFY(!seen);
    }
};

QTEST_MAIN(TestExchangeDialogs)
#include "test_exchange_dialogs.moc"

#include "AddressBar.h"
#include "BrowserFrame.h"
#include "BrowserHost.h"
#include "ExplorerCommandLine.h"
#include "ExtensionButtons.h"
#include "PageView.h"
#include "browser/BrowserButton.h"
#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"
#include "platform/X11Control.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include <memory>
#include <sys/stat.h>

namespace {

const QString kButtonKey = QStringLiteral("{04888576-4F80-49f5-ACC3-D215680BD1AD}");
const QString kRunProgram = QStringLiteral("{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}");
const QString kSuffix = QStringLiteral(" - Microsoft Internet Explorer");
// Names from outside must never read as markup.
const QString kFolder = QStringLiteral("My, <Folder> & co");
using Kind = BrowserFrame::Kind;

QStringList controlClasses(QWidget* frame)
{
    QStringList classes;
    for (const X11Control* control : frame->findChildren<X11Control*>())
        classes.append(control->ClassName());
    return classes;
}

} // namespace

Q_DECLARE_METATYPE(BrowserFrame::Kind)

class TestBrowserHost : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;

    QString path(const QString& name) const { return m_env->Root() + u'/' + name; }
    QString url(const QString& name) const { return QUrl::fromLocalFile(path(name)).toString(); }
    QString fill(QString text) const { return text.replace("%ROOT%", m_env->Root()); }
    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void writeValue(const QString& key, const QString& name, const QString& value)
    {
        Registry registry(m_env->RegistryDir(), nullptr);
        WriteRegValue(registry, "Software\\Microsoft\\Internet Explorer", key, name, value);
    }
    void writeButton(const QString& name, const QString& value)
    {
        writeValue("Extensions\\" + kButtonKey, name, value);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        writeFile("a.html", "<title>Page A</title><body><a href=\"b.html\">on</a></body>");
        writeFile("b.html", "<html><head><title>Page B</title></head></html>");
        writeFile("plain.txt", "no title here");
        writeFile(kFolder + "/c.html", "");
        QCOMPARE(::mkfifo(path("pipe").toLocal8Bit().constData(), 0600), 0);
    }
    void cleanup() { m_env.reset(); }

    void extensionButtons_data()
    {
        QTest::addColumn<QString>("clsid"); // empty: no key at all
        QTest::addColumn<QString>("visible");
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("program"); // empty: no button
        const QString exec = QStringLiteral("%ROOT%\\\\tavoro.exe");
        QTest::newRow("program button, clsid in any case")
            << kRunProgram.toLower() << "Yes" << exec << "%ROOT%/tavoro";
        QTest::newRow("exe kept when it exists") << kRunProgram << "yes"
                                                 << "%ROOT%\\\\tool.exe"
                                                 << "%ROOT%/tool.exe";
        QTest::newRow("other class") << "{1FBA04EE-3024-11d2-8F1F-0000F87ABD17}"
                                     << "Yes" << exec << QString();
        QTest::newRow("switched off") << kRunProgram << "NO" << exec << QString();
        QTest::newRow("no key") << QString() << QString() << exec << QString();
    }
    void extensionButtons()
    {
        QFETCH(QString, clsid);
        QFETCH(QString, visible);
        QFETCH(QString, exec);
        QFETCH(QString, program);
        writeFile("tavoro", "");
        writeFile("tool.exe", "");
        // A key elsewhere with the same class is no button.
        writeValue("Other\\" + kButtonKey, "CLSID", kRunProgram);
        if (!clsid.isEmpty()) {
            writeButton("Default Visible", visible);
            writeButton("ButtonText", "Tavoro");
            writeButton("Icon", fill("%ROOT%\\\\Tavoro-IE1.ico"));
            writeButton("Exec", fill(exec));
            writeButton("CLSID", clsid);
        }
        Registry registry(m_env->RegistryDir(), nullptr);
        const QList<ExtensionButtons::Button> buttons = ExtensionButtons::Read(registry);
        QCOMPARE(buttons.size(), program.isEmpty() ? 0 : 1);
        if (program.isEmpty())
            return;
        QCOMPARE(buttons[0].text, "Tavoro");
        QCOMPARE(buttons[0].program, fill(program));
        QCOMPARE(buttons[0].icon, fill("%ROOT%/Tavoro-IE1.ico"));
    }

    void explorerCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("selected");
        QTest::newRow("root only") << QStringList{"/n,/e,/root,/f/Favs"} << "/f/Favs"
                                   << "";
        QTest::newRow("commas and spaces")
            << QStringList{"/n,/e,/root,/f/My, Favs,/select,/f/My, Favs/a, b.url"} << "/f/My, Favs"
            << "/f/My, Favs/a, b.url";
        QTest::newRow("upper case") << QStringList{"/N,/E,/ROOT,/f/,/SELECT,/f/x"} << "/f"
                                    << "/f/x";
        QTest::newRow("split at a space")
            << QStringList{"/n,/e,/root,/f/My", "Favs"} << "/f/My Favs"
            << "";
        QTest::newRow("item relative to the root")
            << QStringList{"/n,/e,/root,/f,/select,sub/x.url"} << "/f"
            << "/f/sub/x.url";
        QTest::newRow("path alone") << QStringList{"/f/g"} << "/f/g"
                                    << "";
    }
    void explorerCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, root);
        QFETCH(QString, selected);
        const ExplorerCommandLine line = ExplorerCommandLine::Parse(arguments);
        QCOMPARE(line.Root(), root);
        QCOMPARE(line.Select(), selected);
    }

    void frameTitles_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("target");  // "/..." opens a path, else a URL
        QTest::addColumn<QString>("title");   // %ADDRESS% stands for the address opened
        QTest::addColumn<QString>("address"); // what the address bar then shows
        const QString folder = "%ROOT%/" + kFolder;
        QTest::newRow("titled page") << Kind::Browser << "a.html"
                                     << "Page A" + kSuffix << "%ADDRESS%";
        QTest::newRow("no title") << Kind::Browser << "plain.txt"
                                  << "%ADDRESS%" + kSuffix << "%ADDRESS%";
        QTest::newRow("missing file") << Kind::Browser << "gone.html"
                                      << "The page cannot be displayed" + kSuffix << "%ADDRESS%";
        QTest::newRow("folder window by path")
            << Kind::Folder << "/" + kFolder << kFolder << folder;
        QTest::newRow("folder in a browser")
            << Kind::Browser << kFolder << kFolder + kSuffix << folder;
        QTest::newRow("page in a folder window") << Kind::Folder << "a.html"
                                                 << "Page A"
                                                 << "%ADDRESS%";
        // A pipe would block the window for good; it is refused like any unreadable page.
        QTest::newRow("pipe") << Kind::Browser << "pipe"
                              << "The page cannot be displayed" + kSuffix << "%ADDRESS%";
        QTest::newRow("home page") << Kind::Browser << ""
                                   << "Home" + kSuffix << "about:home";
    }
    void frameTitles()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, target);
        QFETCH(QString, title);
        QFETCH(QString, address);
        const QString opened = target.isEmpty()          ? target
                               : target.startsWith(u'/') ? m_env->Root() + target
                                                         : url(target);
        BrowserHost host;
        BrowserFrame* frame = host.OpenFrame(kind, opened);
        QCOMPARE(frame->windowTitle(), fill(title.replace("%ADDRESS%", opened)));
        QCOMPARE(frame->Address(), fill(address.replace("%ADDRESS%", opened)));
        QCOMPARE(frame->Bar().Text(), frame->Address());
    }

    // Pictures come from plain local files of a local page only.
    void pageResources()
    {
        writeFile("dot.png", "not really a picture");
        PageView view;
        view.document()->setBaseUrl(QUrl(url("a.html")));
        QCOMPARE(view.loadResource(QTextDocument::ImageResource, QUrl("dot.png")).toByteArray(),
                 QByteArray("not really a picture"));
        QVERIFY(view.loadResource(QTextDocument::ImageResource, QUrl("pipe")).isNull());
        QVERIFY(view.loadResource(QTextDocument::ImageResource, QUrl("file:///dev/zero")).isNull());
        view.document()->setBaseUrl(QUrl("http://example.org/"));
        QVERIFY(view.loadResource(QTextDocument::ImageResource, QUrl(url("dot.png"))).isNull());
    }

    void enterLinksAndHistory()
    {
        writeValue("Main", "Start Page", url("b.html"));
        BrowserHost host;
        BrowserFrame* frame = host.OpenFrame(Kind::Browser, url("plain.txt"));
        auto* edit = frame->findChild<QLineEdit*>();
        edit->setText(url("a.html"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(frame->windowTitle(), "Page A" + kSuffix);
        // A relative link resolves against the page it is on.
        Q_EMIT frame->findChild<QTextBrowser*>()->anchorClicked(QUrl("b.html"));
        QCOMPARE(frame->Address(), url("b.html"));

        const auto go = [frame](const QString& name) {
            for (QAction* action : frame->findChild<QToolBar*>()->actions()) {
                if (action->text().remove(u'&') == name && action->isEnabled())
                    action->trigger();
            }
        };
        go("Back");
        QCOMPARE(frame->Address(), url("a.html"));
        go("Back");
        go("Back"); // nothing further back
        QCOMPARE(frame->Address(), url("plain.txt"));
        go("Forward");
        QCOMPARE(frame->windowTitle(), "Page A" + kSuffix);
        QCOMPARE(edit->findChild<X11Control*>()->Text(), url("a.html"));
        go("Home Page");
        QCOMPARE(frame->windowTitle(), "Page B" + kSuffix);
    }

    void hiddenAddressBarHasNoChain()
    {
        const QStringList chain{"IEFrame",      "WorkerW",  "ReBarWindow32",
                                "ComboBoxEx32", "ComboBox", "Edit"};
        BrowserHost host;
        BrowserFrame* frame = host.OpenFrame(Kind::Browser, url("a.html"));
        QCOMPARE(controlClasses(frame), chain);
        frame->AddressBarAction()->trigger();
        QCOMPARE(controlClasses(frame), chain.mid(0, 2));
        frame->AddressBarAction()->trigger();
        QCOMPARE(controlClasses(frame), chain);
        QCOMPARE(frame->findChild<QLineEdit*>()->findChild<X11Control*>()->Text(), url("a.html"));

        BrowserFrame* hidden = host.OpenFrame(Kind::Browser, url("a.html"), false);
        QCOMPARE(controlClasses(hidden), chain.mid(0, 2));
        QVERIFY(!hidden->AddressBarAction()->isChecked());
    }

    // Tavoro registers its button; a host started afterwards shows it, one started after
    // the removal does not.
    void toolbarButtonFollowsTavorosRegistration()
    {
        writeFile("tavoro", "");
        ScriptedPrompts prompts;
        Registry registry(m_env->RegistryDir(), nullptr);
        BrowserButton button(registry, prompts, path("tavoro"), nullptr);
        const auto toolbarTexts = [this] {
            BrowserHost host;
            QStringList texts;
            for (const QAction* action : host.OpenFrame(Kind::Browser, url("a.html"))
                                             ->findChild<QToolBar*>()->actions())
                texts << action->text();
            return texts;
        };
        QVERIFY(!toolbarTexts().contains("Tavoro"));
        button.AddBrowserButton();
        QVERIFY(toolbarTexts().contains("Tavoro"));
        button.RemoveBrowserButton();
        QVERIFY(!toolbarTexts().contains("Tavoro"));
        QCOMPARE(prompts.messages.size(), 2);
    }
};

int main(int argc, char* argv[])
{
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    TestBrowserHost test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_browserhost.moc"

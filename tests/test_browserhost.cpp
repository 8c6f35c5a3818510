#include "AddressBar.h"
#include "BrowserFrame.h"
#include "BrowserHost.h"
#include "ExplorerCommandLine.h"
#include "ExtensionButtons.h"
#include "PageView.h"
#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"
#include "platform/X11Control.h"
#include "support/TestEnvironment.h"

#include <QTest>

#include <sys/stat.h>

namespace {

const QString kButtonKey = QStringLiteral("{04888576-4F80-49f5-ACC3-D215680BD1AD}");
const QString kRunProgram = QStringLiteral("{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}");
const QString kSuffix = QStringLiteral(" - Microsoft Internet Explorer");
// Names from outside must never read as markup.
const QString kFolder = QStringLiteral("My, <Folder> & co");
using Kind = BrowserFrame::Kind;

} // namespace

Q_DECLARE_METATYPE(BrowserFrame::Kind)

class TestBrowserHost : public QObject
{
    Q_OBJECT

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

    // Only a visible button of the run-program class under Extensions counts; its program
    // is the Linux one beside an ".exe" that does not exist.
    void extensionButtons()
    {
        writeFile("tavoro", "");
        writeFile("tool.exe", "");
        // A key elsewhere with the same class is no button.
        writeValue("Other\\" + kButtonKey, "CLSID", kRunProgram);
        const std::tuple<QString, QString, QString, QString> rows[] = {
            // clsid, visible, exec, program
            {kRunProgram.toLower(), "Yes", "tavoro.exe", "tavoro"},
            {kRunProgram, "yes", "tool.exe", "tool.exe"},
            {kRunProgram.chopped(2) + "7}", "Yes", "tavoro.exe", ""},
            {kRunProgram, "NO", "tavoro.exe", ""}};
        Registry registry(m_env->RegistryDir(), nullptr);
        QVERIFY(ExtensionButtons::Read(registry).isEmpty());
        for (const auto& [clsid, visible, exec, program] : rows) {
            const QStringList values{"Default Visible",
                                     visible,
                                     "ButtonText",
                                     "Tavoro",
                                     "Icon",
                                     m_env->Root() + "\\\\Tavoro-IE1.ico",
                                     "Exec",
                                     m_env->Root() + "\\\\" + exec,
                                     "CLSID",
                                     clsid};
            for (int i = 0; i < values.size(); i += 2)
                writeValue("Extensions\\" + kButtonKey, values[i], values[i + 1]);
            Registry fresh(m_env->RegistryDir(), nullptr);
            const QList<ExtensionButtons::Button> buttons = ExtensionButtons::Read(fresh);
            QCOMPARE(buttons.size(), program.isEmpty() ? 0 : 1);
            if (!program.isEmpty())
                QVERIFY(buttons[0].text == "Tavoro" && buttons[0].program == path(program) &&
                        buttons[0].icon == path("Tavoro-IE1.ico"));
        }
    }

    // Commas and spaces inside paths survive; an item may be relative to the root, and the
    // window opens on the item's own folder.
    void explorerCommandLine()
    {
        const auto parse = [](const QStringList& arguments) {
            const ExplorerCommandLine line = ExplorerCommandLine::Parse(arguments);
            return line.Root() + u'|' + line.Select();
        };
        QCOMPARE(parse({"/n,/e,/root,/f/My, Favs,/select,/f/My, Favs/a, b.url"}),
                 "/f/My, Favs|/f/My, Favs/a, b.url");
        QCOMPARE(parse({"/N,/E,/ROOT,/f/,/SELECT,/f/x"}), "/f|/f/x");
        QCOMPARE(parse({"/n,/e,/root,/f/My", "Favs"}), "/f/My Favs|");
        QCOMPARE(parse({"/n,/e,/root,/f,/select,sub/x.url"}), "/f/sub|/f/sub/x.url");
        QCOMPARE(parse({"/f/g"}), "/f/g|");
    }

    void frameTitles_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("target");  // "/..." opens a path, else a URL
        QTest::addColumn<QString>("title");   // %ADDRESS% stands for the address opened
        QTest::addColumn<QString>("address"); // what the address bar then shows
        const QString folder = "%ROOT%/" + kFolder;
        const QString failed = "The page cannot be displayed" + kSuffix;
        QTest::newRow("titled page") << Kind::Browser << "a.html"
                                     << "Page A" + kSuffix << "%ADDRESS%";
        QTest::newRow("no title") << Kind::Browser << "plain.txt"
                                  << "%ADDRESS%" + kSuffix << "%ADDRESS%";
        QTest::newRow("missing file") << Kind::Browser << "gone.html" << failed << "%ADDRESS%";
        QTest::newRow("folder window by path")
            << Kind::Folder << "/" + kFolder << kFolder << folder;
        QTest::newRow("folder in a browser")
            << Kind::Browser << kFolder << kFolder + kSuffix << folder;
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
};

int main(int argc, char* argv[])
{
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    TestBrowserHost test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_browserhost.moc"

#include "support/TestEnvironment.h"

#include <QDir>

namespace {
const char* const kVariables[] = {"TAVORO_REGISTRY_DIR", "TAVORO_FAVORITES", "HOME",
                                  "XDG_CONFIG_HOME",     "XDG_DATA_HOME",    "XDG_RUNTIME_DIR"};
}

TestEnvironment::TestEnvironment()
{
    for (const char* name : kVariables)
        m_saved.append({name, qgetenv(name)});
    QDir().mkpath(RegistryDir());
    QDir().mkpath(Home());
    QDir().mkpath(RuntimeDir());
    qputenv("TAVORO_REGISTRY_DIR", RegistryDir().toUtf8());
    qputenv("TAVORO_FAVORITES", Favorites().toUtf8());
    qputenv("HOME", Home().toUtf8());
    qputenv("XDG_CONFIG_HOME", ConfigHome().toUtf8());
    qputenv("XDG_DATA_HOME", DataHome().toUtf8());
    qputenv("XDG_RUNTIME_DIR", RuntimeDir().toUtf8());
    const QString share = QDir::tempPath() + "/tavoro-test-share"; // MIME types, no browser
    QDir().mkpath(share);
    QFile::link("/usr/share/mime", share + "/mime");
    qputenv("XDG_DATA_DIRS", share.toUtf8());
    qunsetenv("BROWSER");
}

TestEnvironment::~TestEnvironment()
{
    for (const auto& [name, value] : m_saved) {
        // A newer environment made before this one ended keeps its own values; putting
        // ours back would point the tests at the real home.
        if (!qgetenv(name.constData()).startsWith(Root().toUtf8()))
            continue;
        if (value.isNull())
            qunsetenv(name.constData());
        else
            qputenv(name.constData(), value);
    }
}

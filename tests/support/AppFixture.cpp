#include "support/AppFixture.h"

#include "platform/RegistryRoutines.h"

namespace {
const QString kRoot = QStringLiteral("Software\\Tavoro");
const QString kSection = QStringLiteral("Settings");
} // namespace

AppFixture::AppFixture()
    : registry(env.RegistryDir(), shell), programPath(env.Root() + QStringLiteral("/bin/tavoro"))
{
}

std::unique_ptr<frmFav1> AppFixture::Make(const QString& commandLine)
{
    return std::make_unique<frmFav1>(AppServices{registry, *shell, fileSystem, prompts, clock, tray,
                                                 programPath, commandLine, shell->Favorites(),
                                                 useWindows, usePrograms});
}

std::unique_ptr<frmFav1> AppFixture::Start(const QString& commandLine)
{
    auto window = Make(commandLine);
    window->Load();
    window->show();
    window->FirstActivate();
    return window;
}

void AppFixture::Store(const QString& name, const QString& value)
{
    WriteRegValue(registry, kRoot, kSection, name, value);
}

QString AppFixture::Stored(const QString& name)
{
    return ReadRegValue(registry, kRoot, kSection, name, QStringLiteral("<none>")).toString();
}

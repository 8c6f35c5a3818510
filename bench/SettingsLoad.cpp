#include "SettingsLoad.h"

#include "platform/Registry.h"
#include "platform/ShellFolders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <memory>

namespace {

const QByteArray kHeader = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]\r\n";

QByteArray longHexValue(qsizetype bytes)
{
    QByteArray file = kHeader + "\"Blob\"=hex:";
    while (file.size() < bytes)
        file += "00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,\\\r\n  ";
    return file + "ff\r\n";
}

QByteArray manyValues(qsizetype bytes)
{
    QByteArray file = kHeader;
    for (int i = 0; file.size() < bytes; ++i)
        file += "\"Value" + QByteArray::number(i) + "\"=\"some text of a setting\"\r\n";
    return file;
}

void timeLoad(const QString& folder, const char* label, const QByteArray& contents)
{
    QDir(folder).mkpath(QStringLiteral("."));
    QFile file(folder + QStringLiteral("/user.reg"));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return;
    file.close();
    QElapsedTimer timer;
    timer.start();
    Registry registry(folder, std::make_shared<ShellFolders>());
    std::printf("%-36s %8.1f MB %10lld ms\n", label, contents.size() / 1048576.0,
                static_cast<long long>(timer.elapsed()));
}

} // namespace

void BenchSettingsLoad(const QString& folder)
{
    std::printf("\nsettings file load\n");
    timeLoad(folder + QStringLiteral("/long"), "one hex value over many lines",
             longHexValue(10 << 20));
    timeLoad(folder + QStringLiteral("/many"), "one key with many values", manyValues(10 << 20));
}

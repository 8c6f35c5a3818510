#include "Measure.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <cstdio>
#include <limits>

double Millis(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double BestOf(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        best = std::min(best, Millis(work));
    }
    return best;
}

double FindWalk(const QString& root, bool oneLevel, int runs)
{
    QStringList arguments{root};
    if (oneLevel)
        arguments << QStringLiteral("-maxdepth") << QStringLiteral("1");
    arguments << QStringLiteral("-printf") << QStringLiteral("%y %s %T@ %A@ %C@ %p\\n");
    return BestOf(runs, {}, [&] {
        QProcess find;
        find.setStandardOutputFile(QProcess::nullDevice());
        find.start(QStringLiteral("find"), arguments);
        if (!find.waitForFinished(-1) || find.exitStatus() != QProcess::NormalExit ||
            find.exitCode() != 0)
            qFatal("tavoro_bench: find failed: %s", qPrintable(find.errorString()));
    });
}

void PrintRow(const char* name, int links, int folders, double ms, double base)
{
    const QByteArray folderText = folders < 0 ? QByteArray() : QByteArray::number(folders);
    std::printf("%-34s %8d %8s %10.2f %8.2f\n", name, links, folderText.constData(), ms, ms / base);
    std::fflush(stdout);
}

void PrintHeader()
{
    std::printf("%-34s %8s %8s %10s %8s\n", "measurement", "links", "folders", "ms", "ratio");
    std::fflush(stdout);
}

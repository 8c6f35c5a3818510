#include "exchange/ProgressRunner.h"

#include "core/AppInfo.h"
#include "exchange/BookmarkTree.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

namespace ProgressRunner {

void Run(QWidget* owner, const QString& text, ExchangeProgress& progress,
         std::function<void()> work)
{
    std::unique_ptr<QThread> thread(QThread::create(std::move(work)));
    QEventLoop loop;
    bool finished = false;
    QObject::connect(thread.get(), &QThread::finished, &loop, [&finished, &loop] {
        finished = true;
        loop.quit();
    });
    thread->start();
    // Short work ends without a window flashing up; nothing else runs meanwhile.
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished) {
        QProgressDialog dialog(text, QStringLiteral("Cancel"), 0, 0, owner);
        dialog.setWindowTitle(AppInfo::ProductName);
        dialog.setWindowModality(Qt::WindowModal);
        dialog.setMinimumDuration(0);
        dialog.setAutoReset(false);
        dialog.setAutoClose(false);
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &dialog, [&dialog, &progress, text] {
            if (!progress.Cancel)
                dialog.setLabelText(
                    QStringLiteral("%1\n%L2 done").arg(text).arg(progress.Done.load()));
        });
        QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&dialog, &progress] {
            progress.Cancel = true;
            dialog.setLabelText(QStringLiteral("Stopping..."));
        });
        tick.start(100);
        dialog.show();
        while (!finished)
            loop.exec();
    }
    thread->wait();
}

} // namespace ProgressRunner

#pragma once

#include <QString>

#include <functional>

class QWidget;
struct ExchangeProgress;

// Runs long work off the interface thread. Work that takes over half a second gets a
// progress window with the count so far and Cancel; the main window never blocks.
namespace ProgressRunner {
void Run(QWidget* owner, const QString& text, ExchangeProgress& progress,
         std::function<void()> work);
} // namespace ProgressRunner

#pragma once

#include <QObject>

class QWidget;

// Opens the help at a topic's page beside the window asking for it. Handed to whoever
// shows a Help button, as Prompts is, so that nothing reaches for a help window of its own
// and tests can see which topic was asked for.
class Help
{
public:
    virtual ~Help() = default;
    // A topic of 0 or less does nothing.
    virtual void ShowTopic(QWidget* owner, int topic) = 0;

    // Opens what a dialog's Help button asks for (its helpRequested signal), beside it.
    template <typename Dialog> void Serve(Dialog& dialog)
    {
        QObject::connect(&dialog, &Dialog::helpRequested, &dialog,
                         [this, &dialog](int topic) { ShowTopic(&dialog, topic); });
    }
};

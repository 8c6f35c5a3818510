#pragma once

#include <QString>
#include <QUrl>

// One page ready to show. Its title is the document's <title>, else its address.
struct Page
{
    QString address; // what the address bar shows
    QUrl base;       // what relative links and pictures resolve against
    QString html;
};

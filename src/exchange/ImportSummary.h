#pragma once

#include <QString>
#include <QStringList>

// What an import did, for the closing message and the command line.
struct ImportSummary
{
    int Links = 0;
    int Folders = 0;
    int Separators = 0;
    int Queries = 0;
    int Flattened = 0;    // folders nested too deep, their contents kept one level up
    int Failed = 0;       // entries the file system refused
    QStringList Problems; // the first few refusals, as the file system described them
    bool Cancelled = false;
    QString Error; // the source could not be read at all: nothing was created
    QString Target;

    bool Ok() const { return Error.isEmpty() && Failed == 0 && !Cancelled; }
    QString Text() const;
};

#pragma once

#include <QDate>
#include <QStringList>

class FileSystemService;
class QTextStream;

// tavoro --import SOURCE [--into FOLDER]
// tavoro --export FILE [--from FOLDER] [--format html|xbel]
// Run without a window: the summary goes to out, failures to err with a non-zero result.
class ExchangeCommandLine
{
public:
    static bool Wants(const QStringList& arguments);
    static int Run(const QStringList& arguments, const FileSystemService& fileSystem,
                   const QString& favorites, const QDate& today, QTextStream& out,
                   QTextStream& err);
};

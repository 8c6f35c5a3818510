#pragma once

#include <QString>
#include <QStringList>

// What Explorer is asked to open: "/n,/e,/root,ROOT" or "/n,/e,/root,ROOT,/select,ITEM".
// Paths may hold commas and spaces, so ROOT runs up to ",/select," or the end.
class ExplorerCommandLine
{
public:
    // Several arguments are joined by spaces: a caller that split the command line at its
    // spaces meant one text.
    static ExplorerCommandLine Parse(const QStringList& arguments);

    // The folder to show; the home folder when none is named.
    QString Root() const { return m_root; }
    // The entry to select, as a full path; empty for none.
    QString Select() const { return m_select; }

private:
    QString m_root;
    QString m_select;
};

#pragma once

#include <QString>

// One entry of the Favorites as the lists show it: a link file, or a folder (File empty).
class clsLink
{
public:
    QString Path() const { return m_path; }
    void SetPath(const QString& path) { m_path = path; }
    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    // For a link the folder holding it; for a folder its own path.
    QString Dir() const { return m_dir; }
    void SetDir(const QString& dir) { m_dir = dir; }
    // The link's file name with its extension; empty for a folder.
    QString File() const { return m_file; }
    void SetFile(const QString& file) { m_file = file; }

    // The link's address when the search read it; empty otherwise.
    QString Address() const { return m_address; }
    void SetAddress(const QString& address) { m_address = address; }

    bool IsFolder() const { return m_file.isEmpty(); }

    static clsLink FromLinkFile(const QString& path);
    static clsLink FromFolder(const QString& path);

private:
    QString m_path;
    QString m_title;
    QString m_dir;
    QString m_file;
    QString m_address;
};

#pragma once

#include <QString>
#include <QTemporaryDir>

// Points every place the program reads or writes (registry files, Favorites, home, XDG
// folders) into a fresh temporary folder, and puts the old values back afterwards.
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    QString Root() const { return m_dir.path(); }
    QString RegistryDir() const { return m_dir.path() + "/registry"; }
    QString Favorites() const { return m_dir.path() + "/Favorites"; }
    QString Home() const { return m_dir.path() + "/home"; }
    QString ConfigHome() const { return m_dir.path() + "/home/.config"; }
    QString DataHome() const { return m_dir.path() + "/home/.local/share"; }
    QString RuntimeDir() const { return m_dir.path() + "/run"; }

private:
    QTemporaryDir m_dir;
    QList<QPair<QByteArray, QByteArray>> m_saved;
};

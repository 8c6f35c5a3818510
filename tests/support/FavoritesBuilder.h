#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Lays out a Favorites tree on disk for tests and benchmarks. Every path is relative to
// the root given at construction; missing parent folders are made on the way. Any
// failure to write stops the program with qFatal, as nothing after it could be trusted.
//
//     FavoritesBuilder b(env.Favorites());
//     b.Build(R"(
//         News/Daily/
//         News/Daily/BBC.url = http://bbc.co.uk
//         readme.txt
//     )");
//     b.Times("News/Daily/BBC.url", modified, accessed);
class FavoritesBuilder
{
public:
    explicit FavoritesBuilder(const QString& root);

    QString Root() const { return m_root; }
    // The full path of an entry.
    QString Path(const QString& relative) const;

    FavoritesBuilder& Folder(const QString& relative);
    // An Internet Shortcut as browsers write it: UTF-8, CR LF line ends.
    FavoritesBuilder& Link(const QString& relative, const QString& url);
    FavoritesBuilder& File(const QString& relative, const QByteArray& bytes = {});
    // Sets the modified and last-access times; an invalid accessed takes modified.
    // Set a folder's times after filling it, since adding entries changes them.
    FavoritesBuilder& Times(const QString& relative, const QDateTime& modified,
                            const QDateTime& accessed = {});
    // A symbolic link holding target exactly as given, so it may be relative or dangling.
    FavoritesBuilder& Symlink(const QString& relative, const QString& target);

    // One entry per line, surrounding blanks ignored, as are empty lines and lines
    // starting with "#". A line with " = " is a shortcut, "Name.url = address" (split at
    // the first " = ", so addresses may end in "/"); else "Name/" is a folder; anything
    // else an empty file.
    FavoritesBuilder& Build(const QString& description);

    // What the file holds now, or "<missing>" when it cannot be read.
    QByteArray Read(const QString& relative) const;

    // The exact bytes Link writes for url.
    static QByteArray ShortcutBytes(const QString& url);

private:
    void EnsureParent(const QString& relative);
    void Write(const QString& relative, const QByteArray& bytes);

    QString m_root;
};

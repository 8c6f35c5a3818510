#include "TreeGenerator.h"

#include "support/FavoritesBuilder.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Our own generator and ranges: the standard distributions differ between libraries,
// and the trees must be the same everywhere.
class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    int Between(int low, int high)
    {
        return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool Percent(int chance) { return Between(1, 100) <= chance; }

private:
    std::uint64_t m_state;
};

const char* const kWords[] = {
    "news",     "weather",  "sport",    "football",  "recipes",  "garden",     "travel",
    "flights",  "hotels",   "maps",     "bank",      "savings",  "mortgage",   "insurance",
    "school",   "library",  "museum",   "gallery",   "music",    "guitar",     "piano",
    "jazz",     "movies",   "cinema",   "theatre",   "tickets",  "books",      "poetry",
    "history",  "science",  "physics",  "chemistry", "biology",  "astronomy",  "space",
    "linux",    "windows",  "network",  "router",    "printer",  "drivers",    "software",
    "download", "update",   "forum",    "support",   "manual",   "tutorial",   "reference",
    "compiler", "database", "server",   "cloud",     "security", "privacy",    "email",
    "shopping", "auction",  "deals",    "coupons",   "fashion",  "shoes",      "watches",
    "cars",     "bikes",    "trains",   "ferries",   "camping",  "hiking",     "fishing",
    "sailing",  "skiing",   "tennis",   "golf",      "chess",    "puzzles",    "games",
    "health",   "doctor",   "dentist",  "pharmacy",  "fitness",  "yoga",       "diet",
    "family",   "kids",     "baby",     "pets",      "dogs",     "cats",       "horses",
    "house",    "kitchen",  "bathroom", "paint",     "tools",    "lumber",     "roofing",
    "jobs",     "careers",  "salary",   "taxes",     "pension",  "stocks",     "bonds",
    "crypto",   "journal",  "blog",     "podcast",   "radio",    "television", "video",
    "photos",   "camera",   "lenses",   "printing",  "design",   "fonts",      "colours",
    "city",     "council",  "parish",   "county",    "state",    "national",   "world",
    "daily",    "weekly",   "monthly",  "annual",    "archive",  "classic",    "modern",
    "old",      "new",      "best",     "free",      "cheap",    "local",      "global",
    "green",    "blue",     "red",      "silver",    "golden",   "north",      "south",
};
constexpr int kWordCount = static_cast<int>(std::size(kWords));

const char* const kDomains[] = {".com", ".org", ".net", ".co.uk", ".de", ".info", ".edu"};
constexpr int kDomainCount = static_cast<int>(std::size(kDomains));

QString Word(Random& random)
{
    return QString::fromLatin1(kWords[random.Between(0, kWordCount - 1)]);
}

QString Title(const QString& word)
{
    return word.left(1).toUpper() + word.mid(1);
}

// Most names are title case; a few are shouted or all small, as people type them.
QString Styled(Random& random, const QString& word)
{
    const int roll = random.Between(1, 100);
    if (roll <= 70)
        return Title(word);
    if (roll <= 85)
        return word;
    if (roll <= 92)
        return word.toUpper();
    return word.left(1) + word.mid(1, 1).toUpper() + word.mid(2);
}

QString Domain(Random& random)
{
    return QString::fromLatin1(kDomains[random.Between(0, kDomainCount - 1)]);
}

// Every draw is a statement of its own: the order in which the operands of one
// expression are worked out is up to the compiler, and the names must not be.
struct Draws
{
    explicit Draws(Random& random)
    {
        for (int i = 0; i < 3; ++i) {
            plain[i] = Word(random);
            styled[i] = Styled(random, plain[i]);
            title[i] = Title(plain[i]);
        }
        domain = Domain(random);
        major = random.Between(1, 12);
        minor = random.Between(0, 9);
        year = random.Between(1998, 2012);
        page = random.Between(1, 99999);
    }
    QString plain[3];
    QString styled[3];
    QString title[3];
    QString domain;
    int major = 0;
    int minor = 0;
    int year = 0;
    int page = 0;
};

QString LinkName(Random& random)
{
    const int form = random.Between(0, 9);
    const Draws d(random);
    switch (form) {
    case 0:
    case 1:
    case 2:
        return d.styled[0] + u' ' + d.styled[1];
    case 3:
        return d.styled[0] + u' ' + d.styled[1] + u' ' + d.styled[2];
    case 4:
        return QStringLiteral("www.") + d.plain[0] + d.plain[1] + d.domain;
    case 5:
        return d.styled[0] + d.domain;
    case 6:
        return d.styled[0] + QStringLiteral(" - ") + d.styled[1] + u' ' + d.styled[2];
    case 7:
        return d.styled[0] + QStringLiteral(" %1.%2").arg(d.major).arg(d.minor);
    case 8:
        return d.title[0] + QStringLiteral(" & ") + d.title[1];
    default:
        return d.plain[0] + d.title[1];
    }
}

QString FolderName(Random& random)
{
    const int form = random.Between(0, 5);
    const Draws d(random);
    switch (form) {
    case 0:
    case 1:
        return d.styled[0];
    case 2:
        return d.title[0] + u' ' + d.title[1];
    case 3:
        return d.title[0] + u'.' + d.title[1];
    case 4:
        return d.title[0] + QStringLiteral(" & ") + d.styled[1];
    default:
        return d.title[0] + u' ' + QString::number(d.year);
    }
}

QString Url(Random& random)
{
    const Draws d(random);
    return QStringLiteral("http://www.") + d.plain[0] + d.plain[1] + d.domain + u'/' + d.plain[2] +
           u'/' + QString::number(d.page) + QStringLiteral(".html");
}

// Windows kept names apart without regard to case, and so do real Favorites.
QString Unique(const QString& name, QSet<QString>& taken)
{
    QString candidate = name;
    for (int n = 2; taken.contains(candidate.toLower()); ++n)
        candidate = name + QStringLiteral(" (%1)").arg(n);
    taken.insert(candidate.toLower());
    return candidate;
}

[[noreturn]] void Die(const char* what, const QByteArray& path)
{
    qFatal("TreeGenerator: cannot %s %s: %s", what, path.constData(), std::strerror(errno));
}

void WriteLinks(const PlannedFolder& folder, const QString& root)
{
    const QString path = folder.Relative.isEmpty() ? root : root + u'/' + folder.Relative;
    const QByteArray native = QFile::encodeName(path);
    const int dirFd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        Die("open", native);
    Random random(folder.Seed);
    QSet<QString> taken;
    for (int i = 0; i < folder.Links; ++i) {
        const QByteArray name =
            QFile::encodeName(Unique(LinkName(random), taken) + QStringLiteral(".url"));
        const QByteArray bytes = FavoritesBuilder::ShortcutBytes(Url(random));
        const int fd =
            ::openat(dirFd, name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            Die("create", native + '/' + name);
        if (::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) != bytes.size())
            Die("write", native + '/' + name);
        ::close(fd);
    }
    ::close(dirFd);
}

} // namespace

const PlannedFolder& TreePlan::Deepest() const
{
    const PlannedFolder* deepest = &Folders.front();
    for (const PlannedFolder& folder : Folders) {
        if (folder.Depth >= deepest->Depth)
            deepest = &folder;
    }
    return *deepest;
}

int TreePlan::Entries(int folder) const
{
    int entries = Folders.at(static_cast<size_t>(folder)).Links;
    for (const PlannedFolder& other : Folders) {
        if (other.Parent == folder)
            ++entries;
    }
    return entries;
}

namespace TreeGenerator {

TreePlan Plan(const Shape& shape)
{
    Random random(shape.Seed);
    TreePlan plan;
    plan.Links = shape.Links;

    // Link counts first: they decide how many folders there are.
    std::vector<int> counts;
    for (int remaining = shape.Links; remaining > 0;) {
        int count = remaining;
        if (remaining > shape.MaxPerFolder)
            count = random.Between(shape.MinPerFolder,
                                   std::min(shape.MaxPerFolder, remaining - shape.MinPerFolder));
        counts.push_back(count);
        remaining -= count;
    }
    if (counts.empty())
        counts.push_back(0);

    const int subFolders = static_cast<int>(counts.size()) - 1;
    // About the square root of the folder count at the top keeps the root's own listing
    // in the tens, as in a collection that grew over years.
    const int topLevel =
        std::max(1, static_cast<int>(std::lround(std::sqrt(static_cast<double>(subFolders)))));

    plan.Folders.push_back({QString(), 0, -1, counts.front(), random.Next()});
    std::vector<std::vector<int>> byDepth(static_cast<size_t>(shape.MaxDepth) + 1);
    byDepth[0].push_back(0);
    std::vector<QSet<QString>> childNames(counts.size());

    for (int i = 1; i <= subFolders; ++i) {
        int depth = 1;
        if (i > topLevel && shape.MaxDepth > 1) {
            // Deeper levels get fewer folders; a level not reached yet falls back upwards.
            const int roll = random.Between(1, 100);
            depth = roll <= 40 ? 2 : roll <= 75 ? 3 : 4;
            depth = std::min(depth, shape.MaxDepth);
            while (byDepth[static_cast<size_t>(depth - 1)].empty())
                --depth;
        }
        const std::vector<int>& parents = byDepth[static_cast<size_t>(depth - 1)];
        const int parent =
            parents[static_cast<size_t>(random.Between(0, static_cast<int>(parents.size()) - 1))];
        const PlannedFolder& up = plan.Folders[static_cast<size_t>(parent)];
        const QString name = Unique(FolderName(random), childNames[static_cast<size_t>(parent)]);
        const QString relative = up.Relative.isEmpty() ? name : up.Relative + u'/' + name;
        plan.Folders.push_back(
            {relative, depth, parent, counts[static_cast<size_t>(i)], random.Next()});
        byDepth[static_cast<size_t>(depth)].push_back(i);
    }
    return plan;
}

TreePlan FlatPlan(int links, std::uint64_t seed)
{
    TreePlan plan;
    plan.Links = links;
    plan.Folders.push_back({QString(), 0, -1, links, Random(seed).Next()});
    return plan;
}

void Write(const TreePlan& plan, const QString& root)
{
    if (!QDir().mkpath(root))
        qFatal("TreeGenerator: cannot make %s", qPrintable(root));
    for (const PlannedFolder& folder : plan.Folders) {
        if (!folder.Relative.isEmpty()) {
            const QByteArray native = QFile::encodeName(root + u'/' + folder.Relative);
            if (::mkdir(native.constData(), 0755) != 0 && errno != EEXIST)
                Die("make", native);
        }
        WriteLinks(folder, root);
    }
}

} // namespace TreeGenerator

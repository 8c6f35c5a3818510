#include "platform/Registry.h"

#include "platform/Logging.h"
#include "platform/RegistryHive.h"
#include "platform/ShellFolders.h"

#include <QDir>
#include <utility>

namespace {

constexpr long kErrorInvalidParameter = 87;

const QLatin1String
    kShellFoldersKey("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");

// "\A\\B\" and "A\B" name the same key.
QString normalizePath(const QString& path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('\\'));
}

bool isShellFolders(const QString& path)
{
    return path.compare(kShellFoldersKey, Qt::CaseInsensitive) == 0;
}

bool isPredefined(HKEY key)
{
    return key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE;
}

// Binary data comes as bytes, or as the text a query handed out, which goes back as is.
QString binaryText(const QVariant& data)
{
    if (data.metaType().id() == QMetaType::QString && RegistryHive::IsBinaryText(data.toString()))
        return data.toString();
    return QStringLiteral("hex:") + QString::fromLatin1(data.toByteArray().toHex(','));
}

} // namespace

Registry::Registry(const QString& directory, std::shared_ptr<const ShellFolders> shellFolders)
    : m_directory(directory), m_shellFolders(std::move(shellFolders))
{
    if (!m_shellFolders)
        m_shellFolders = std::make_shared<const ShellFolders>();
    m_user = std::make_unique<RegistryHive>(m_directory + QStringLiteral("/user.reg"),
                                            QStringLiteral("HKEY_CURRENT_USER"));
    m_machine = std::make_unique<RegistryHive>(m_directory + QStringLiteral("/machine.reg"),
                                               QStringLiteral("HKEY_LOCAL_MACHINE"));
    for (const RegistryHive* hive : {m_user.get(), m_machine.get()}) {
        if (!hive->Problem().isEmpty())
            report(hive->Problem());
    }
}

Registry::~Registry() = default;

QString Registry::DefaultDirectory()
{
    const QString configured = qEnvironmentVariable("TAVORO_REGISTRY_DIR");
    if (!configured.isEmpty())
        return QDir::cleanPath(configured);
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/tavoro"));
}

RegistryHive* Registry::hiveFor(HKEY predefined)
{
    if (predefined == HKEY_CURRENT_USER)
        return m_user.get();
    if (predefined == HKEY_LOCAL_MACHINE)
        return m_machine.get();
    return nullptr;
}

bool Registry::resolve(HKEY key, const QString& subKey, HKEY* hive, QString* path) const
{
    if (isPredefined(key)) {
        *hive = key;
        *path = normalizePath(subKey);
        return true;
    }
    const auto it = m_open.constFind(key);
    if (it == m_open.cend())
        return false;
    *hive = it->hive;
    *path = normalizePath(it->path + QLatin1Char('\\') + subKey);
    return true;
}

HKEY Registry::newHandle(HKEY hive, const QString& path)
{
    HKEY handle = m_nextHandle++;
    while (handle == 0 || isPredefined(handle) || m_open.contains(handle))
        handle = m_nextHandle++;
    m_open.insert(handle, OpenKey{hive, path});
    return handle;
}

long Registry::RegOpenKeyEx(HKEY key, const QString& subKey, std::uint32_t options,
                            std::uint32_t access, HKEY* result)
{
    Q_UNUSED(options);
    Q_UNUSED(access);
    if (result)
        *result = 0;
    HKEY hive = 0;
    QString path;
    if (!resolve(key, subKey, &hive, &path))
        return ERROR_INVALID_HANDLE;
    if (!result)
        return kErrorInvalidParameter;
    RegistryHive* store = hiveFor(hive);
    reload(store);
    // The desktop always has shell folders, whether or not the file lists any.
    if (!store->HasKey(path) && !isShellFolders(path))
        return ERROR_FILE_NOT_FOUND;
    *result = newHandle(hive, path);
    return ERROR_SUCCESS;
}

long Registry::RegCreateKeyEx(HKEY key, const QString& subKey, std::uint32_t options,
                              std::uint32_t access, HKEY* result)
{
    Q_UNUSED(options);
    Q_UNUSED(access);
    if (result)
        *result = 0;
    HKEY hive = 0;
    QString path;
    if (!resolve(key, subKey, &hive, &path))
        return ERROR_INVALID_HANDLE;
    if (!result)
        return kErrorInvalidParameter;
    RegistryHive* store = hiveFor(hive);
    reload(store);
    if (store->CreateKey(path) && !save(store))
        return ERROR_WRITE_FAULT;
    *result = newHandle(hive, path);
    return ERROR_SUCCESS;
}

long Registry::RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t* type,
                               QVariant* data)
{
    HKEY hive = 0;
    QString path;
    if (!resolve(key, QString(), &hive, &path))
        return ERROR_INVALID_HANDLE;
    if (isShellFolders(path)) {
        const QString answer = m_shellFolders->Value(valueName);
        if (!answer.isNull()) {
            if (type)
                *type = REG_SZ;
            if (data)
                *data = answer;
            return ERROR_SUCCESS;
        }
    }
    const RegistryHive::Value* value = hiveFor(hive)->FindValue(path, valueName);
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    if (data) {
        if (value->type == REG_DWORD)
            *data = static_cast<qint32>(value->number);
        else
            *data = value->text;
    }
    return ERROR_SUCCESS;
}

long Registry::RegSetValueEx(HKEY key, const QString& valueName, std::uint32_t type,
                             const QVariant& data)
{
    HKEY hive = 0;
    QString path;
    if (!resolve(key, QString(), &hive, &path))
        return ERROR_INVALID_HANDLE;
    RegistryHive::Value value;
    value.name = valueName;
    value.type = type;
    if (type == REG_SZ)
        value.text = data.toString();
    else if (type == REG_DWORD)
        value.number = static_cast<std::uint32_t>(data.toLongLong()); // -1 and 0xFFFFFFFF alike
    else if (type == REG_BINARY)
        value.text = binaryText(data);
    else
        return kErrorInvalidParameter;
    RegistryHive* store = hiveFor(hive);
    // Apply the change to what is on disk now, not to an older copy.
    reload(store);
    store->SetValue(path, value);
    return save(store) ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

long Registry::RegDeleteKey(HKEY key, const QString& subKey)
{
    HKEY hive = 0;
    QString path;
    if (!resolve(key, subKey, &hive, &path))
        return ERROR_INVALID_HANDLE;
    RegistryHive* store = hiveFor(hive);
    reload(store);
    if (!store->HasKey(path))
        return ERROR_FILE_NOT_FOUND;
    if (path.isEmpty() || store->HasSubKeys(path))
        return ERROR_ACCESS_DENIED;
    store->RemoveKey(path);
    return save(store) ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

long Registry::RegEnumKeys(HKEY key, QStringList* names)
{
    HKEY hive = 0;
    QString path;
    if (!resolve(key, QString(), &hive, &path))
        return ERROR_INVALID_HANDLE;
    if (!names)
        return kErrorInvalidParameter;
    RegistryHive* store = hiveFor(hive);
    reload(store);
    if (!path.isEmpty() && !store->HasKey(path))
        return ERROR_FILE_NOT_FOUND;
    *names = store->SubKeyNames(path);
    return ERROR_SUCCESS;
}

long Registry::RegCloseKey(HKEY key)
{
    if (isPredefined(key))
        return ERROR_SUCCESS;
    return m_open.remove(key) > 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

void Registry::reload(RegistryHive* store)
{
    // Changes waiting for the end of a batch are newer than anything on disk.
    if (m_pending.contains(store))
        return;
    store->ReloadIfChanged();
    if (!store->Problem().isEmpty())
        report(store->Problem());
}

bool Registry::save(RegistryHive* store)
{
    if (m_batchDepth > 0) {
        m_pending.insert(store);
        return true;
    }
    return writeNow(store);
}

bool Registry::writeNow(RegistryHive* store)
{
    if (store->Save())
        return true;
    // The values stay in memory; the next save tries again.
    report(QStringLiteral("Unable to save the settings to \"%1\".\r\n\r\n%2")
               .arg(store->FilePath(), store->LastError()));
    return false;
}

void Registry::report(const QString& message)
{
    qCInfo(lcSettings).noquote() << message;
    if (m_reported.contains(message) || m_unreported.contains(message))
        return;
    if (!m_reporter) {
        m_unreported.append(message);
        return;
    }
    m_reported.insert(message);
    m_reporter(message);
}

void Registry::SetProblemReporter(std::function<void(const QString&)> reporter)
{
    m_reporter = std::move(reporter);
    for (const QString& message : std::exchange(m_unreported, {}))
        report(message);
}

void Registry::BeginBatch()
{
    ++m_batchDepth;
}

bool Registry::EndBatch()
{
    if (m_batchDepth == 0 || --m_batchDepth > 0)
        return true;
    bool saved = true;
    for (RegistryHive* store : std::exchange(m_pending, {}))
        saved = writeNow(store) && saved;
    return saved;
}

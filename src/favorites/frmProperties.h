#pragma once

#include "favorites/PropertiesInfo.h"

#include <QDialog>
#include <QString>

#include <functional>

class FileSystemService;
class Prompts;
class QCheckBox;
class QLabel;
class QLineEdit;
struct PropertiesTarget;

// Read-only facts about one link file or folder: name, place, address, dates and
// attributes. Nothing here changes the item.
class frmProperties : public QDialog
{
    Q_OBJECT

public:
    explicit frmProperties(const FileSystemService& fileSystem, QWidget* parent = nullptr);

    // Inputs, set before LoadItem.
    void SetItemPath(const QString& path) { m_itemPath = path; }
    QString ItemPath() const { return m_itemPath; }
    void SetItemType(const QString& type) { m_itemType = type; }
    QString ItemType() const { return m_itemType; }

    // Fills the controls from the item; one that cannot be read leaves them empty.
    void LoadItem();
    // What the controls show.
    PropertiesInfo Shown() const;

    // A line under the facts telling how the link's address fared when last checked.
    void SetLinkStatus(const QString& text);

    // The Properties command once the target is known: loads and shows the dialog modally.
    // linkStatus, when given, turns the link's address into its last check's text.
    static void ShowProperties(const PropertiesTarget& target, const FileSystemService& fileSystem,
                               Prompts& prompts, QWidget* owner,
                               const std::function<QString(const QString&)>& linkStatus = {});

private:
    const FileSystemService& m_fileSystem;
    QString m_itemPath;
    QString m_itemType;

    QLineEdit* m_txtName = nullptr;
    QLineEdit* m_txtLocation = nullptr;
    QLineEdit* m_txtURL = nullptr;
    QLabel* m_lblCreated = nullptr;
    QLabel* m_lblModified = nullptr;
    QLabel* m_lblAccessed = nullptr;
    QCheckBox* m_chkReadOnly = nullptr;
    QCheckBox* m_chkHidden = nullptr;
    QCheckBox* m_chkSystem = nullptr;
};

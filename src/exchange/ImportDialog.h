#pragma once

#include "exchange/BrowserProfiles.h"

#include <QDialog>

#include <functional>

class Prompts;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;

// File > Import Bookmarks...: where from (the browser profiles found, a bookmarks file,
// another Favorites folder) and into which folder.
class ImportDialog final : public QDialog
{
    Q_OBJECT
public:
    // defaultTarget gives the new folder proposed for a source's label ("Firefox").
    ImportDialog(const QList<BrowserProfile>& profiles,
                 std::function<QString(const QString& source, const QString& label)> defaultTarget,
                 Prompts& prompts, QWidget* parent = nullptr);

    bool IsSaved() const { return m_isSaved; }
    QString Source() const;
    QString Target() const;
    QComboBox* cboSource() const { return m_cboSource; }
    QLineEdit* txtSource() const { return m_txtSource; }
    QLineEdit* txtTarget() const { return m_txtTarget; }

private:
    void sourceChosen();
    void sourceChanged();
    void browseSource();
    void browseTarget();

    QList<BrowserProfile> m_profiles;
    std::function<QString(const QString&, const QString&)> m_defaultTarget;
    Prompts& m_prompts;
    QComboBox* m_cboSource = nullptr;
    QLineEdit* m_txtSource = nullptr;
    QPushButton* m_cmdSource = nullptr;
    QLineEdit* m_txtTarget = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    bool m_targetEdited = false;
    bool m_isSaved = false;
};

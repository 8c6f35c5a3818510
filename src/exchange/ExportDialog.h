#pragma once

#include "exchange/BookmarkExport.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QRadioButton;

// File > Export Bookmarks...: all of the Favorites or the selected folder, as HTML or XBEL.
class ExportDialog final : public QDialog
{
    Q_OBJECT
public:
    // selectedFolder empty or the root itself: only "All Favorites" is offered.
    ExportDialog(const QString& favorites, const QString& selectedFolder, const QString& file,
                 QWidget* parent = nullptr);

    bool IsSaved() const { return m_isSaved; }
    QString Folder() const;
    QString File() const;
    BookmarkExport::Format Format() const;
    QRadioButton* optSelected() const { return m_optSelected; }
    QComboBox* cboFormat() const { return m_cboFormat; }
    QLineEdit* txtFile() const { return m_txtFile; }

private:
    void formatChanged();
    void browse();

    QString m_favorites;
    QString m_selectedFolder;
    QRadioButton* m_optSelected = nullptr;
    QComboBox* m_cboFormat = nullptr;
    QLineEdit* m_txtFile = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    bool m_isSaved = false;
};

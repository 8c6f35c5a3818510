#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class Prompts;
class QLabel;
class QListWidget;
class QPushButton;

// Fonts: a face, a size and a style for one pane, with a live preview. A font string
// goes in through FontString before Load and comes out of it after OK.
class frmFonts : public QDialog
{
    Q_OBJECT

public:
    // The face names to offer, as the system reports them.
    using FontSource = std::function<QStringList()>;

    // Without a source the system's font families are offered.
    explicit frmFonts(QWidget* parent = nullptr, FontSource source = {});

    QString PrinterName() const { return m_printerName; }
    void SetPrinterName(const QString& v) { m_printerName = v; }
    QString Font_Name() const { return m_fontName; }
    void SetFont_Name(const QString& v) { m_fontName = v; }
    QString Font_Size() const { return m_fontSize; }
    void SetFont_Size(const QString& v) { m_fontSize = v; }
    QString FontStyle() const { return m_fontStyle; }
    void SetFontStyle(const QString& v) { m_fontStyle = v; }
    QString FontString() const { return m_fontString; }
    void SetFontString(const QString& v) { m_fontString = v; }
    // True only after OK.
    bool IsSaved() const { return m_isSaved; }

    // Fills the lists and selects the font of FontString. Runs once; showing the dialog
    // runs it when the caller has not.
    void Load();
    void LoadFontNames();
    void LoadFontSizes();
    void LoadFontStyles();
    void UpdatePreview();

    void cmdOkClick();
    void cmdCancelClick();

    // Runs the dialog on a font string; true and the string changed after OK.
    static bool Choose(Prompts& prompts, QWidget* owner, QString& fontString);

    QListWidget* lstFontName() const { return m_lstFontName; }
    QListWidget* lstFontSize() const { return m_lstFontSize; }
    QListWidget* lstFontStyle() const { return m_lstFontStyle; }
    QLabel* lblPreview() const { return m_lblPreview; }
    QLabel* lblFontNote() const { return m_lblFontNote; }
    QPushButton* cmdOk() const { return m_cmdOk; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }

    // The row selected in a list, -1 when none is.
    static int SelectedRow(const QListWidget* list);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWidgets();
    void listSelectionChanged();
    // Row of the face named name, letter case ignored; -1 when there is none.
    int findFace(const QString& name) const;

    FontSource m_source;
    QString m_printerName;
    QString m_fontName;
    QString m_fontSize;
    QString m_fontStyle;
    QString m_fontString;
    bool m_isSaved = false;
    bool m_loaded = false;
    bool m_isLoading = false;

    QListWidget* m_lstFontName = nullptr;
    QListWidget* m_lstFontSize = nullptr;
    QListWidget* m_lstFontStyle = nullptr;
    QLabel* m_lblPreview = nullptr;
    QLabel* m_lblFontNote = nullptr;
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};

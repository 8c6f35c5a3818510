#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTextBrowser;

// The program's help viewer: the pages of the help folder in a browser pane, with a
// contents list (the links of the Contents page) and a keyword index (the links of the
// Index page) beside it. It is not modal, so it can stay open next to the window that
// asked for it. A page that is missing shows a note in the viewer instead.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(const QString& folder, QWidget* parent = nullptr);

    QString Folder() const { return m_folder; }
    void SetFolder(const QString& folder);
    // Beside the owner's frame on its screen, so the owner's fields stay readable.
    void PlaceBeside(const QWidget* owner);
    // Where a window of the size goes beside the owner's frame within the screen's area:
    // right of it, else left, else narrowed on the wider side, else above or below.
    static QRect Beside(const QRect& ownerFrame, const QRect& area, QSize size);

    // Shows the page of a context number, or the note that it is not available.
    void ShowTopic(int topic);
    // Follows a link as a click in a page does; relative links are read from the page shown.
    void FollowLink(const QUrl& link);
    void GoHome();
    void GoBack();
    void GoForward();

    // The context number of what is shown (0 for a page no number opens).
    int CurrentTopic() const { return m_topic; }
    // The file name of the page shown, also when it is missing.
    QString CurrentPage() const;
    // True while the viewer shows the note for a missing page.
    bool IsShowingNote() const;

    QTextBrowser* Browser() const { return m_browser; }
    QListWidget* ContentsList() const { return m_contents; }
    QListWidget* IndexList() const { return m_index; }
    QLineEdit* IndexKeyword() const { return m_keyword; }

private:
    void buildWidgets();
    void loadLists();
    void sourceChanged(const QUrl& source);
    void listItemChosen(QListWidgetItem* item);
    void keywordEdited(const QString& text);
    void keywordEntered();
    QUrl pageUrl(const QString& pageName) const;

    QString m_folder;
    int m_topic = 0;

    QSplitter* m_splitter = nullptr;
    QTabWidget* m_tabs = nullptr;
    QListWidget* m_contents = nullptr;
    QLineEdit* m_keyword = nullptr;
    QListWidget* m_index = nullptr;
    QTextBrowser* m_browser = nullptr;
    QPushButton* m_cmdBack = nullptr;
    QPushButton* m_cmdForward = nullptr;
    QPushButton* m_cmdHome = nullptr;
};

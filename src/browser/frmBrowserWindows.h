#pragma once

#include "browser/WindowArrangement.h"
#include "platform/WindowSystem.h"

#include <QDialog>
#include <QList>

class BrowserLauncher;
class Clock;
class Help;
class clsIEList;
class Prompts;
class QTreeWidget;
class QTreeWidgetItem;

// Arrange Browser Windows: the running browser and folder windows, all selected after
// every load, and the commands that bring one to the front, lay the selected ones out
// over the screen, minimise, maximise or close them, or start a new browser window.
class frmBrowserWindows : public QDialog
{
    Q_OBJECT

public:
    // How long Terminate waits for each window to go, and how often it looks.
    static constexpr int CloseWaitMs = 5000;
    static constexpr int ClosePollMs = 50;

    // Loads the list at once. The windows are the ones the browser list looks at.
    frmBrowserWindows(clsIEList& list, BrowserLauncher& launcher, const Clock& clock,
                      const WindowArrangement::Screen& screen, QWidget* parent = nullptr);

    // Tools > Arrange: the dialog modal over the owner, laid out for the owner's screen.
    static void ShowArrange(clsIEList& list, BrowserLauncher& launcher, Prompts& prompts,
                            Help& help, const Clock& clock, QWidget* owner);
    // The whole screen the owner is on (the primary one without an owner), in twips.
    static WindowArrangement::Screen ScreenOf(const QWidget* owner);

    void LoadList();
    void CascadeWindows();
    void TileHoriz();
    void TileVert();
    void MinimizeWindows();
    void MaximizeWindows();

    // The buttons' handlers; a double click on an entry runs GoToClick.
    void GoToClick();
    void CascadeClick();
    void TileHorizClick();
    void TileVertClick();
    void MinimizeClick();
    void MaximizeClick();
    void NewClick();
    void RefreshClick();
    void TerminateClick();
    void CancelClick();
    void HelpClick();
    // A header click sorts by that column; the sort column again flips the order.
    void ColumnClick(int column);

    QTreeWidget* lvwBrowser() const { return m_lvwBrowser; }
    // An entry's key ("K1"...) and tag (the window's handle in decimal).
    static QString Key(const QTreeWidgetItem* item);
    static QString Tag(const QTreeWidgetItem* item);

Q_SIGNALS:
    // The Help button: whoever shows the dialog opens the topic.
    void helpRequested(int topic);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    // The windows of the selected entries, in list order.
    QList<WindowSystem::Handle> selectedWindows() const;
    // Hides the dialog, runs the operation on the selection and closes, when there is a
    // current entry.
    void arrange(void (frmBrowserWindows::*operation)());
    void place(const QList<WindowArrangement::Placement>& places,
               const QList<WindowSystem::Handle>& windows);
    void showNormalInFront(WindowSystem::Handle window);
    void waitUntilGone(WindowSystem::Handle window);

    clsIEList& m_list;
    BrowserLauncher& m_launcher;
    const Clock& m_clock;
    WindowSystem* m_windows;
    WindowArrangement::Screen m_screen;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_terminating = false;

    QTreeWidget* m_lvwBrowser = nullptr;
};

#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class clsOptions;
class Help;
class Prompts;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;
class Registry;

// Tools > Options: shows the behaviour settings; OK applies the changes at once (tray
// icon, start-up entry, browser button, list pointer, search history), saves and closes;
// Cancel closes without any change.
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    // What OK needs from the main window, kept narrow so the dialog can be tested alone.
    // An empty function does nothing (mainWindowVisible: counts as visible).
    struct MainWindowHooks
    {
        std::function<void()> addTrayIcon;
        std::function<void()> removeTrayIcon;
        std::function<bool()> mainWindowVisible;
        std::function<void()> bringBack; // ProcessCmd("A")
        std::function<void()> setLvwMousePointer;
        // Forgets the texts of the search window's list, if that window exists.
        std::function<void()> clearSearchList;
        std::function<bool()> trayAvailable; // empty: no tray
    };

    // The browser toolbar button; install and remove report their own outcome. Empty
    // functions mean "not installed" and do nothing.
    struct BrowserButton
    {
        std::function<bool()> isInstalled;
        std::function<void()> install;
        std::function<void()> remove;
    };

    // Loads the controls from the settings at once.
    frmOptions(clsOptions& options, Registry& registry, MainWindowHooks mainWindow,
               BrowserButton browserButton = {}, QWidget* parent = nullptr);

    void LoadFromOptions();
    void cmdOKClick();
    void cmdCancelClick();
    void cmdHelpClick();

    QCheckBox* chkRememberSearch() const { return m_chkRememberSearch; }
    QCheckBox* chkAutoHide() const { return m_chkAutoHide; }
    QCheckBox* chkAutoCenter() const { return m_chkAutoCenter; }
    QCheckBox* chkIEButton() const { return m_chkIEButton; }
    QCheckBox* chkRememberFolder() const { return m_chkRememberFolder; }
    QCheckBox* chkRememberPosition() const { return m_chkRememberPosition; }
    QCheckBox* chkConfirmExit() const { return m_chkConfirmExit; }
    QCheckBox* chkSystemTray() const { return m_chkSystemTray; }
    QCheckBox* chkStartupGroup() const { return m_chkStartupGroup; }
    QCheckBox* chkDeleteWithoutTrash() const { return m_chkDeleteWithoutTrash; }
    QCheckBox* chkLiveUpdates() const { return m_chkLiveUpdates; }
    QGroupBox* Frame1() const { return m_frame1; }
    QRadioButton* optDblClick() const { return m_optDblClick; }
    QRadioButton* optSingleClick() const { return m_optSingleClick; }
    QSpinBox* txtCheckSkipDays() const { return m_txtCheckSkipDays; }
    // The Browser setting: the browsers found, the host, or the user's command.
    QComboBox* cboBrowser() const { return m_cboBrowser; }
    QLineEdit* txtBrowserCommand() const { return m_txtBrowserCommand; }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* cmdHelp() const { return m_cmdHelp; }
    // The browser button's box as it was loaded, as decimal text.
    QString IEButtonTag() const { return m_ieButtonTag; }

Q_SIGNALS:
    // The Help button: whoever shows the dialog opens the topic.
    void helpRequested(int topic);

private:
    QCheckBox* addCheck(const char* name, const QString& text);
    void loadBrowser();
    QString chosenBrowser() const;

    clsOptions& m_options;
    Registry& m_registry;
    MainWindowHooks m_mainWindow;
    BrowserButton m_browserButton;
    QString m_ieButtonTag;

    QCheckBox* m_chkRememberSearch = nullptr;
    QCheckBox* m_chkAutoHide = nullptr;
    QCheckBox* m_chkAutoCenter = nullptr;
    QCheckBox* m_chkIEButton = nullptr;
    QCheckBox* m_chkRememberFolder = nullptr;
    QCheckBox* m_chkRememberPosition = nullptr;
    QCheckBox* m_chkConfirmExit = nullptr;
    QCheckBox* m_chkSystemTray = nullptr;
    QCheckBox* m_chkStartupGroup = nullptr;
    QCheckBox* m_chkDeleteWithoutTrash = nullptr;
    QCheckBox* m_chkLiveUpdates = nullptr;
    QGroupBox* m_frame1 = nullptr;
    QRadioButton* m_optDblClick = nullptr;
    QRadioButton* m_optSingleClick = nullptr;
    QSpinBox* m_txtCheckSkipDays = nullptr;
    QComboBox* m_cboBrowser = nullptr;
    QLineEdit* m_txtBrowserCommand = nullptr;
    QString m_loadedBrowser; // OK keeps an unchosen (automatic) setting as it was
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdHelp = nullptr;
};

#include "app/frmOptions.h"

#include "browser/BrowserChoice.h"

#include "core/Help.h"
#include "core/HelpTopics.h"
#include "core/clsOptions.h"
#include "platform/Prompts.h"
#include "platform/RegistryRoutines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

void run(const std::function<void()>& f)
{
    if (f)
        f();
}

int boxValue(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

} // namespace

frmOptions::frmOptions(clsOptions& options, Registry& registry, MainWindowHooks mainWindow,
                       BrowserButton browserButton, QWidget* parent)
    : QDialog(parent), m_options(options), m_registry(registry),
      m_mainWindow(std::move(mainWindow)), m_browserButton(std::move(browserButton))
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));

    auto* layout = new QVBoxLayout(this);
    // Two texts carry an extra blank on purpose; they are shown exactly as written.
    m_chkRememberSearch =
        addCheck("chkRememberSearch", QStringLiteral("Remember Searches / Add to Search List "));
    m_chkAutoHide = addCheck("chkAutoHide", QStringLiteral("Hide Tavoro when Opening Browser"));
    m_chkAutoCenter =
        addCheck("chkAutoCenter", QStringLiteral("Center Tavoro over Browser Window"));
    m_chkIEButton = addCheck("chkIEButton", QStringLiteral("Add Tavoro to Browser Toolbar"));
    m_chkRememberFolder =
        addCheck("chkRememberFolder", QStringLiteral("Remember Last Selected Folder"));
    m_chkRememberPosition =
        addCheck("chkRememberPosition", QStringLiteral("Remember Last Window Position"));
    m_chkConfirmExit = addCheck("chkConfirmExit", QStringLiteral("Prompt when Exiting Tavoro"));
    m_chkSystemTray = addCheck("chkSystemTray", QStringLiteral("Add  Tavoro to Taskbar Tray"));
    m_chkStartupGroup = addCheck("chkStartupGroup", QStringLiteral("Add Tavoro to Startup Menu"));
    m_chkDeleteWithoutTrash =
        addCheck("chkDeleteWithoutTrash", QStringLiteral("Delete without using the Trash"));
    m_chkLiveUpdates =
        addCheck("chkLiveUpdates", QStringLiteral("Show changes other programs make at once"));
    for (QCheckBox* box :
         {m_chkRememberSearch, m_chkAutoHide, m_chkAutoCenter, m_chkIEButton, m_chkRememberFolder,
          m_chkRememberPosition, m_chkConfirmExit, m_chkSystemTray, m_chkStartupGroup,
          m_chkDeleteWithoutTrash, m_chkLiveUpdates})
        layout->addWidget(box);

    m_frame1 = new QGroupBox(QStringLiteral("Open List Items as Follows"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_optDblClick = new QRadioButton(
        QStringLiteral("Double-click to open a Link or Folder in the List"), m_frame1);
    m_optDblClick->setObjectName(QStringLiteral("optDblClick"));
    m_optSingleClick = new QRadioButton(
        QStringLiteral("Single-click to open a Link or Folder in the List"), m_frame1);
    m_optSingleClick->setObjectName(QStringLiteral("optSingleClick"));
    auto* frameLayout = new QVBoxLayout(m_frame1);
    frameLayout->addWidget(m_optDblClick);
    frameLayout->addWidget(m_optSingleClick);
    layout->addWidget(m_frame1);

    // Check Links: how long a link's last result stands before it is checked again.
    m_txtCheckSkipDays = new QSpinBox(this);
    m_txtCheckSkipDays->setObjectName(QStringLiteral("txtCheckSkipDays"));
    m_txtCheckSkipDays->setRange(0, 365);
    auto* checkRow = new QFormLayout;
    checkRow->addRow(QStringLiteral("Skip links checked in the last (days):"), m_txtCheckSkipDays);
    m_cboBrowser = new QComboBox(this);
    m_cboBrowser->setObjectName(QStringLiteral("cboBrowser"));
    m_txtBrowserCommand = new QLineEdit(this);
    m_txtBrowserCommand->setObjectName(QStringLiteral("txtBrowserCommand"));
    m_txtBrowserCommand->setPlaceholderText(QStringLiteral("program --option %u"));
    checkRow->addRow(QStringLiteral("Browser:"), m_cboBrowser);
    checkRow->addRow(QStringLiteral("Browser command:"), m_txtBrowserCommand);
    connect(m_cboBrowser, &QComboBox::currentIndexChanged, this, [this] {
        m_txtBrowserCommand->setEnabled(m_cboBrowser->currentData() ==
                                        BrowserChoice::CommandPrefix);
    });
    layout->addLayout(checkRow);

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdHelp = new QPushButton(QStringLiteral("Help"), this);
    m_cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    buttons->addWidget(m_cmdHelp);
    layout->addLayout(buttons);

    connect(m_cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOKClick);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancelClick);
    connect(m_cmdHelp, &QPushButton::clicked, this, &frmOptions::cmdHelpClick);

    LoadFromOptions();
}

QCheckBox* frmOptions::addCheck(const char* name, const QString& text)
{
    auto* box = new QCheckBox(text, this);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

void frmOptions::LoadFromOptions()
{
    m_chkRememberSearch->setChecked(m_options.RememberSearch());
    m_chkAutoHide->setChecked(m_options.AutoHide());
    m_chkAutoCenter->setChecked(m_options.AutoCenter());
    m_chkIEButton->setChecked(m_browserButton.isInstalled && m_browserButton.isInstalled());
    // OK compares against this to touch the browser only when the box was changed.
    m_ieButtonTag = QString::number(boxValue(m_chkIEButton));
    m_chkRememberFolder->setChecked(m_options.RememberFolder());
    m_chkRememberPosition->setChecked(m_options.RememberPosition());
    m_chkConfirmExit->setChecked(m_options.ConfirmExit());
    m_chkSystemTray->setChecked(m_options.SystemTray());
    m_chkStartupGroup->setChecked(m_options.StartupGroup());
    if (m_options.DblClick())
        m_optDblClick->setChecked(true);
    else
        m_optSingleClick->setChecked(true);
    m_txtCheckSkipDays->setValue(m_options.CheckSkipDays());
    m_chkDeleteWithoutTrash->setChecked(m_options.DeleteWithoutTrash());
    m_chkLiveUpdates->setChecked(m_options.LiveUpdates());
    loadBrowser();
}

void frmOptions::loadBrowser()
{
    m_cboBrowser->clear();
    const QList<BrowserChoice::Option> options = BrowserChoice::Options();
    for (const BrowserChoice::Option& option : options)
        m_cboBrowser->addItem(option.label, option.value);
    m_cboBrowser->addItem(QStringLiteral("Command of my own"), BrowserChoice::CommandPrefix);
    QString setting = m_options.Browser();
    if (setting.isEmpty())
        setting = options.size() > 1 && options.first().value == BrowserChoice::DesktopDefault
                      ? BrowserChoice::DesktopDefault
                      : BrowserChoice::Host;
    const bool command = setting.startsWith(BrowserChoice::CommandPrefix);
    m_txtBrowserCommand->setText(command ? setting.mid(BrowserChoice::CommandPrefix.size())
                                         : QString());
    const int index = m_cboBrowser->findData(command ? BrowserChoice::CommandPrefix : setting);
    // A browser chosen once and gone since shows as the host, which then opens links.
    m_cboBrowser->setCurrentIndex(index >= 0 ? index : m_cboBrowser->findData(BrowserChoice::Host));
    m_txtBrowserCommand->setEnabled(command);
    m_loadedBrowser = chosenBrowser();
}

QString frmOptions::chosenBrowser() const
{
    const QString value = m_cboBrowser->currentData().toString();
    if (value == BrowserChoice::CommandPrefix)
        return value + m_txtBrowserCommand->text().trimmed();
    return value;
}

void frmOptions::cmdOKClick()
{
    m_options.SetRememberSearch(m_chkRememberSearch->isChecked());
    if (!m_options.RememberSearch()) {
        DeleteRegKey(m_registry, m_options.RootKey(), QStringLiteral("Search"));
        run(m_mainWindow.clearSearchList);
    }

    m_options.SetAutoHide(m_chkAutoHide->isChecked());
    m_options.SetAutoCenter(m_chkAutoCenter->isChecked());
    m_options.SetRememberFolder(m_chkRememberFolder->isChecked());
    m_options.SetRememberPosition(m_chkRememberPosition->isChecked());
    m_options.SetConfirmExit(m_chkConfirmExit->isChecked());
    m_options.SetCheckSkipDays(static_cast<std::int16_t>(m_txtCheckSkipDays->value()));
    m_options.SetDeleteWithoutTrash(m_chkDeleteWithoutTrash->isChecked());
    m_options.SetLiveUpdates(m_chkLiveUpdates->isChecked());
    if (chosenBrowser() != m_loadedBrowser)
        m_options.SetBrowser(chosenBrowser());

    // Before SystemTray changes: a new entry starts hidden only if the tray was on already.
    m_options.SetStartupGroup(m_chkStartupGroup->isChecked(),
                              m_mainWindow.trayAvailable && m_mainWindow.trayAvailable());

    if (m_optDblClick->isChecked() != m_options.DblClick()) {
        m_options.SetDblClick(m_optDblClick->isChecked());
        run(m_mainWindow.setLvwMousePointer);
    }

    const bool trayWanted = m_chkSystemTray->isChecked();
    if (!m_options.SystemTray() && trayWanted) {
        run(m_mainWindow.addTrayIcon);
    } else if (m_options.SystemTray() && !trayWanted) {
        run(m_mainWindow.removeTrayIcon);
        // Without an icon a hidden program could not be reached any more.
        const bool visible = !m_mainWindow.mainWindowVisible || m_mainWindow.mainWindowVisible();
        if (!visible) {
            hide();
            run(m_mainWindow.bringBack);
        }
    }
    m_options.SetSystemTray(trayWanted);

    if (m_ieButtonTag.toInt() != boxValue(m_chkIEButton)) {
        if (m_chkIEButton->isChecked())
            run(m_browserButton.install);
        else
            run(m_browserButton.remove);
    }

    m_options.Save();
    done(QDialog::Accepted);
}

void frmOptions::cmdCancelClick()
{
    done(QDialog::Rejected);
}

void frmOptions::cmdHelpClick()
{
    Q_EMIT helpRequested(HelpTopics::Options);
}

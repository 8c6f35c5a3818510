#include "app/frmSystemTray.h"

#include "favorites/IconSet.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

frmSystemTray::frmSystemTray(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSystemTray"));
    setWindowTitle(QStringLiteral("Tavoro"));
    const IconSet icons = IconSet::Panes();

    auto* picture = new QLabel(this);
    picture->setPixmap(icons.Icon(QStringLiteral("Favorites")).pixmap(32, 32));
    auto* remain = new QLabel(
        QStringLiteral("Tavoro will remain loaded in memory and accessible via the taskbar tray "
                       "icon.  "),
        this);
    remain->setWordWrap(true);
    auto* trayPicture = new QLabel(this);
    trayPicture->setPixmap(icons.Icon(QStringLiteral("Open")).pixmap(32, 32));
    auto* reopen = new QLabel(QStringLiteral("To open Tavoro again, click the icon in your taskbar "
                                             "tray or the Tavoro toolbar button in your browser."),
                              this);
    reopen->setWordWrap(true);
    m_chkDontShow = new QCheckBox(QStringLiteral("Don't show this message again"), this);
    m_chkDontShow->setObjectName(QStringLiteral("chkDontShow"));
    auto* cmdOk = new QPushButton(QStringLiteral("OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &frmSystemTray::cmdOkClick);

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, Qt::AlignTop);
    layout->addWidget(remain, 0, 1);
    layout->addWidget(trayPicture, 1, 0, Qt::AlignTop);
    layout->addWidget(reopen, 1, 1);
    layout->addWidget(m_chkDontShow, 2, 1);
    layout->addWidget(cmdOk, 3, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 1);
    setMinimumWidth(420);
}

void frmSystemTray::cmdOkClick()
{
    m_dontShowAgain = m_chkDontShow->isChecked();
    accept();
}

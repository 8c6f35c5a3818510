#pragma once

#include <QDialog>

class QCheckBox;

// Tells the user where the program went when its window closed into the tray.
class frmSystemTray final : public QDialog
{
    Q_OBJECT
public:
    explicit frmSystemTray(QWidget* parent = nullptr);

    QCheckBox* chkDontShow() const { return m_chkDontShow; }
    // True when "Don't show this message again" was checked at OK.
    bool DontShowAgain() const { return m_dontShowAgain; }
    void cmdOkClick();

private:
    QCheckBox* m_chkDontShow;
    bool m_dontShowAgain = false;
};

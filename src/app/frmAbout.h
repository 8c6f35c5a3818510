#pragma once

#include <QDialog>
#include <QString>

class Prompts;
class QLabel;
class QPushButton;

// The About box: the program's name and version, its maker and a short legal notice.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    static inline const QString MakerName = QStringLiteral("The Tavoro developers");

    explicit frmAbout(QWidget* parent = nullptr);

    // Help > About and the tray menu's About: shows the box modally until OK.
    static void ShowAbout(Prompts& prompts, QWidget* owner);

    QLabel* lblAppName() const { return m_lblAppName; }
    QLabel* lblCompany() const { return m_lblCompany; }
    QLabel* Label2() const { return m_label2; }
    QPushButton* cmdOk() const { return m_cmdOk; }

private:
    void load();

    QLabel* m_lblAppName = nullptr;
    QLabel* m_lblDescription = nullptr;
    QLabel* m_lblCompany = nullptr;
    QLabel* m_label2 = nullptr;
    QPushButton* m_cmdOk = nullptr;
};

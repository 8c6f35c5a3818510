#include "app/frmAbout.h"

#include "core/AppInfo.h"
#include "favorites/IconSet.h"
#include "platform/Prompts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The texts as laid out, with the words that loading fills in.
const QString kProductName = QStringLiteral("ProductName");
const QString kCompanyName = QStringLiteral("CompanyName");

const QString kLegalNotice = QStringLiteral(
    "Tavoro is provided as is, without warranty of any kind, express or implied. Its "
    "makers are not liable for any loss or damage arising from its use. Tavoro changes "
    "only the Favorites folder you show it and its own settings, but keep a copy of that "
    "folder if your links matter to you.");

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + kProductName);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picIcon"));
    picture->setPixmap(IconSet::Panes().Icon(QStringLiteral("Favorites")).pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_lblAppName = new QLabel(kProductName, this);
    m_lblAppName->setObjectName(QStringLiteral("lblAppName"));
    QFont nameFont = m_lblAppName->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.4);
    m_lblAppName->setFont(nameFont);

    m_lblDescription =
        new QLabel(QStringLiteral("An organiser for the Favorites of your browser."), this);
    m_lblCompany = new QLabel(kCompanyName, this);
    m_lblCompany->setObjectName(QStringLiteral("lblCompany"));

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    m_label2 = new QLabel(this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setWordWrap(true);
    m_label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_cmdOk = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setDefault(true);
    connect(m_cmdOk, &QPushButton::clicked, this, &QDialog::accept);

    for (QLabel* label : {m_lblAppName, m_lblDescription, m_lblCompany, m_label2}) {
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    auto* names = new QVBoxLayout;
    names->setSpacing(4);
    names->addWidget(m_lblAppName);
    names->addSpacing(4);
    names->addWidget(m_lblDescription);
    names->addWidget(m_lblCompany);
    names->addStretch();

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(names, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addWidget(m_label2);
    layout->addLayout(buttons);

    load();
    // Wide enough that the notice wraps into a few even lines.
    constexpr int width = 440;
    setFixedSize(width, layout->hasHeightForWidth() ? layout->totalHeightForWidth(width)
                                                    : sizeHint().height());
}

void frmAbout::load()
{
    setWindowTitle(windowTitle().replace(kProductName, AppInfo::AppTitle));
    // The name, then the version: the title already ends in the version.
    m_lblAppName->setText(m_lblAppName->text().replace(kProductName, AppInfo::ProductName));
    m_lblCompany->setText(m_lblCompany->text().replace(kCompanyName, MakerName));

    setWindowTitle(QStringLiteral("About ") + AppInfo::AppTitle);
    m_label2->setText(kLegalNotice);
    m_lblAppName->setText(m_lblAppName->text() + QStringLiteral(" Version ") + AppInfo::Version);
}

void frmAbout::ShowAbout(Prompts& prompts, QWidget* owner)
{
    frmAbout dialog(owner);
    prompts.ShowModal(dialog);
}

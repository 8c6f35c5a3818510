#include "favorites/frmSearch.h"

#include "favorites/SearchCommand.h"
#include "favorites/SearchHistory.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kAdvancedCaption = QStringLiteral("Advanced >");
const QString kBasicCaption = QStringLiteral("< Basic");

QButtonGroup* AddOptionButtons(QWidget* frame, QVBoxLayout* layout,
                               std::initializer_list<const char*> captions)
{
    auto* group = new QButtonGroup(frame);
    int id = 0;
    for (const char* caption : captions) {
        auto* button = new QRadioButton(QString::fromLatin1(caption), frame);
        group->addButton(button, id++);
        layout->addWidget(button);
    }
    group->button(0)->setChecked(true);
    return group;
}

} // namespace

frmSearch::frmSearch(SearchCommand& command, Registry& registry, const QString& rootKey,
                     bool rememberSearch, QWidget* parent)
    : QDialog(parent), m_command(command), m_registry(registry), m_rootKey(rootKey),
      m_rememberSearch(rememberSearch)
{
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("Search"));
    buildControls();

    m_cboWhere->addItems({QStringLiteral("Current Folder Only"),
                          QStringLiteral("Current + Subfolders"), QStringLiteral("All Folders")});
    m_cboWhere->setCurrentIndex(AllFolders);
    m_cboSearch->addItems(SearchHistory::LoadSearchList(m_registry, m_rootKey, m_rememberSearch));
    // The box starts empty; the remembered texts wait in its list.
    m_cboSearch->setCurrentIndex(-1);
    m_cboSearch->clearEditText();
    setAdvanced(false);
}

void frmSearch::buildControls()
{
    m_lblDesc = new QLabel(QStringLiteral("Search What:"), this);
    m_cboSearch = new QComboBox(this);
    m_cboSearch->setObjectName(QStringLiteral("cboSearch"));
    m_cboSearch->setEditable(true);
    m_cboSearch->setInsertPolicy(QComboBox::NoInsert);
    m_cboSearch->setMinimumContentsLength(30);
    m_lblDesc->setBuddy(m_cboSearch);
    m_label1 = new QLabel(QStringLiteral("Search Where:"), this);
    m_cboWhere = new QComboBox(this);
    m_cboWhere->setObjectName(QStringLiteral("cboWhere"));
    m_label1->setBuddy(m_cboWhere);
    m_lblLookIn = new QLabel(QStringLiteral("Look in:"), this);
    m_cboLookIn = new QComboBox(this);
    m_cboLookIn->setObjectName(QStringLiteral("cboLookIn"));
    m_cboLookIn->addItems({QStringLiteral("names"), QStringLiteral("addresses"),
                           QStringLiteral("names and addresses")});
    m_lblLookIn->setBuddy(m_cboLookIn);

    m_fraOptions = new QGroupBox(QStringLiteral("Search Options"), this);
    auto* optionsLayout = new QVBoxLayout(m_fraOptions);
    m_optSearchOptions = AddOptionButtons(m_fraOptions, optionsLayout,
                                          {"Folders && Links", "Links Only", "Folder Names Only"});
    m_chkCaseSensitive = new QCheckBox(QStringLiteral("Case Sensitive"), m_fraOptions);
    optionsLayout->addWidget(m_chkCaseSensitive);

    m_fraSearchType = new QGroupBox(QStringLiteral("Search Type"), this);
    auto* typeLayout = new QVBoxLayout(m_fraSearchType);
    m_optSearchType =
        AddOptionButtons(m_fraSearchType, typeLayout,
                         {"Contains Search Text", "Begins with Search Text",
                          "Ends with Search Text", "Matches Exactly with Search Text"});

    m_cmdSearch = new QPushButton(QStringLiteral("Search"), this);
    m_cmdSearch->setDefault(true);
    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdAdvanced = new QPushButton(kAdvancedCaption, this);

    auto* fields = new QGridLayout;
    fields->addWidget(m_lblDesc, 0, 0);
    fields->addWidget(m_cboSearch, 0, 1);
    fields->addWidget(m_label1, 1, 0);
    fields->addWidget(m_cboWhere, 1, 1);
    fields->addWidget(m_lblLookIn, 2, 0);
    fields->addWidget(m_cboLookIn, 2, 1);
    fields->addWidget(m_fraOptions, 3, 0, 1, 2);
    fields->addWidget(m_fraSearchType, 4, 0, 1, 2);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdSearch);
    buttons->addWidget(m_cmdCancel);
    buttons->addWidget(m_cmdAdvanced);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    // The dialog takes the size of what is shown, so the advanced form grows it.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cmdSearch, &QPushButton::clicked, this, &frmSearch::SearchClick);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cmdAdvanced, &QPushButton::clicked, this, &frmSearch::AdvancedClick);
    connect(m_cboSearch, &QComboBox::textActivated, this,
            [this](const QString& text) { m_pickedText = text; });
    connect(m_cboSearch->lineEdit(), &QLineEdit::textEdited, this,
            [this] { m_pickedText = QString(); });
}

void frmSearch::PrepareSearch(const QString& favoritesRoot, bool nodeSelected,
                              const QString& nodeTag, const QString& nodeText,
                              const QString& selectionKey)
{
    m_favoritesRoot = favoritesRoot;
    if (nodeSelected) {
        m_folder = nodeTag;
        m_folderIsViewKey = false;
        setWindowTitle(QStringLiteral("Search - ") + nodeText);
    } else if (m_folder.isEmpty()) {
        if (!selectionKey.isEmpty()) {
            m_folder = selectionKey;
            // A letter, a day or the Single List's last folder: not a place to search.
            m_folderIsViewKey = true;
            setWindowTitle(QStringLiteral("Search - ") +
                           selectionKey.mid(selectionKey.lastIndexOf(u'/') + 1));
        } else {
            m_folder = favoritesRoot;
            m_folderIsViewKey = false;
            setWindowTitle(QStringLiteral("Search"));
        }
    }
}

void frmSearch::ClearSearchList()
{
    m_cboSearch->clear();
    m_cboSearch->clearEditText();
    m_pickedText = QString();
}

QString frmSearch::SearchText() const
{
    return m_cboSearch->currentText();
}

void frmSearch::SetSearchText(const QString& text)
{
    m_cboSearch->setEditText(text);
    m_pickedText = QString();
}

void frmSearch::PickSearchText(int index)
{
    if (index < 0 || index >= m_cboSearch->count())
        return;
    m_cboSearch->setCurrentIndex(index);
    m_pickedText = m_cboSearch->itemText(index);
}

QStringList frmSearch::SearchList() const
{
    QStringList texts;
    for (int i = 0; i < m_cboSearch->count(); ++i)
        texts.append(m_cboSearch->itemText(i));
    return texts;
}

int frmSearch::WhereIndex() const
{
    return m_cboWhere->currentIndex();
}

void frmSearch::SetWhereIndex(int where)
{
    m_cboWhere->setCurrentIndex(where);
}

int frmSearch::SearchTypeIndex() const
{
    return m_optSearchType->checkedId();
}

void frmSearch::SetSearchTypeIndex(int searchType)
{
    if (QAbstractButton* button = m_optSearchType->button(searchType))
        button->setChecked(true);
}

int frmSearch::SearchOptionsIndex() const
{
    return m_optSearchOptions->checkedId();
}

void frmSearch::SetSearchOptionsIndex(int searchOptions)
{
    if (QAbstractButton* button = m_optSearchOptions->button(searchOptions))
        button->setChecked(true);
}

bool frmSearch::CaseSensitive() const
{
    return m_chkCaseSensitive->isChecked();
}

void frmSearch::SetCaseSensitive(bool on)
{
    m_chkCaseSensitive->setChecked(on);
}

void frmSearch::AdvancedClick()
{
    setAdvanced(!m_advanced);
}

void frmSearch::setAdvanced(bool advanced)
{
    m_advanced = advanced;
    m_cmdAdvanced->setText(advanced ? kBasicCaption : kAdvancedCaption);
    m_fraOptions->setEnabled(advanced);
    m_fraSearchType->setEnabled(advanced);
    m_fraSearchType->setVisible(advanced);
    if (!advanced) {
        // The basic form searches with the plain defaults, whatever was chosen before.
        SetSearchOptionsIndex(SearchParameters::FoldersAndLinks);
        SetSearchTypeIndex(SearchParameters::Contains);
        SetCaseSensitive(false);
    }
}

SearchParameters frmSearch::Parameters() const
{
    SearchParameters p;
    if (WhereIndex() == AllFolders)
        p.Folder = m_favoritesRoot;
    else if (!m_folderIsViewKey)
        p.Folder = m_folder;
    p.Recurse = WhereIndex() != CurrentFolderOnly;
    p.Text = SearchText();
    p.Compare = CaseSensitive() ? SearchParameters::CaseSensitive : SearchParameters::IgnoreCase;
    p.SearchType = SearchTypeIndex();
    p.SearchOptions = SearchOptionsIndex();
    p.LookIn = m_cboLookIn->currentIndex();
    return p;
}

bool frmSearch::typedText() const
{
    return m_pickedText.isNull() || SearchText() != m_pickedText;
}

void frmSearch::SearchClick()
{
    const SearchParameters parameters = Parameters();
    // Nothing typed is nothing worth remembering.
    if (!parameters.Text.isEmpty() && typedText()) {
        const QStringList texts = SearchHistory::RememberSearch(
            m_registry, m_rootKey, m_rememberSearch, SearchList(), parameters.Text);
        m_cboSearch->clear();
        m_cboSearch->addItems(texts);
        PickSearchText(0);
    }
    m_found = m_command.RunSearch(parameters, m_favoritesRoot, this);
    if (m_found)
        accept();
}

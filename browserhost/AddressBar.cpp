#include "AddressBar.h"

#include "platform/WindowSystem.h"
#include "platform/X11Control.h"
#include "platform/X11ControlFilter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

// Puts the child in the parent's only place, filling it.
void fill(QWidget* parent, QWidget* child)
{
    auto* layout = new QHBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(child);
}

// Only the edit takes messages, and addresses only up to a size a page address can have;
// the windows around it are there to be found.
constexpr qsizetype kLongestAddress = 2 * 1024 * 1024;

void findable(QWidget* widget, const QString& className, X11ControlFilter& filter)
{
    (new X11Control(widget, className, filter))->Accept({});
}

} // namespace

AddressBar::AddressBar(QWidget* frame, X11ControlFilter& filter) : QWidget(frame), m_filter(filter)
{
    findable(this, QStringLiteral("WorkerW"), filter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(new QLabel(QStringLiteral("Address"), this));
    connect(&filter, &X11ControlFilter::textSet, this, &AddressBar::textSet);
    connect(&filter, &X11ControlFilter::keyDown, this, &AddressBar::keyDown);
    build();
}

void AddressBar::build()
{
    m_rebar = new QWidget(this);
    findable(m_rebar, QStringLiteral("ReBarWindow32"), m_filter);
    QWidget* parent = m_rebar;
    for (const QString& className : {QStringLiteral("ComboBoxEx32"), QStringLiteral("ComboBox")}) {
        auto* box = new QWidget(parent);
        findable(box, className, m_filter);
        fill(parent, box);
        parent = box;
    }
    m_edit = new QLineEdit(parent);
    m_edit->setMaxLength(static_cast<int>(kLongestAddress));
    fill(parent, m_edit);
    auto* edit = new X11Control(m_edit, QStringLiteral("Edit"), m_filter);
    edit->Accept(X11Control::Message::SetText | X11Control::Message::Enter, kLongestAddress);
    // Whatever the edit shows, typed or set, is what other programs read.
    connect(m_edit, &QLineEdit::textChanged, edit, &X11Control::SetText);
    connect(m_edit, &QLineEdit::returnPressed, this,
            [this] { Q_EMIT NavigateRequested(m_edit->text()); });
    m_edit->setText(m_address);
    edit->SetText(m_address);
    layout()->addWidget(m_rebar);
    m_rebar->show();
}

void AddressBar::SetShown(bool shown)
{
    if (shown == IsShown())
        return;
    if (shown)
        build();
    else
        delete m_rebar; // with it go the edit and its controls, and their X windows
    setVisible(shown);
}

void AddressBar::SetAddress(const QString& address)
{
    m_address = address;
    if (m_edit)
        m_edit->setText(address);
}

QString AddressBar::Text() const
{
    return m_edit ? m_edit->text() : QString();
}

void AddressBar::textSet(QWidget* control, const QString& text)
{
    if (m_edit && control == m_edit.data())
        m_edit->setText(text);
}

void AddressBar::keyDown(QWidget* control, int virtualKey)
{
    if (m_edit && control == m_edit.data() && virtualKey == WindowSystem::VK_RETURN)
        Q_EMIT NavigateRequested(m_edit->text());
}

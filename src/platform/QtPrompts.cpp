#include "platform/QtPrompts.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::StandardButton toStandard(Prompts::Answer answer)
{
    switch (answer) {
    case Prompts::Answer::Ok:
        return QMessageBox::Ok;
    case Prompts::Answer::Cancel:
        return QMessageBox::Cancel;
    case Prompts::Answer::Yes:
        return QMessageBox::Yes;
    case Prompts::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons standardButtons(Prompts::Buttons buttons)
{
    switch (buttons) {
    case Prompts::Buttons::Ok:
        return QMessageBox::Ok;
    case Prompts::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompts::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompts::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::None:
        return QMessageBox::NoIcon;
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompts::Icon::Question:
        return QMessageBox::Question;
    case Prompts::Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Prompts::Answer QtPrompts::MsgBox(QWidget* owner, const QString& text, Buttons buttons, Icon icon,
                                  const QString& title, std::optional<Answer> defaultAnswer)
{
    QMessageBox box(standardIcon(icon), title, text, standardButtons(buttons), owner);
    if (defaultAnswer)
        box.setDefaultButton(toStandard(*defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString QtPrompts::InputBox(QWidget* owner, const QString& prompt, const QString& title,
                            const QString& defaultText)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

QString QtPrompts::BrowseForFolder(QWidget* owner, const QString& title, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(owner, title, startFolder, QFileDialog::ShowDirsOnly);
}

std::optional<QColor> QtPrompts::PickColor(QWidget* owner, const QColor& initial)
{
    // Every picker starts with a clean row of custom colours.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::white);
    QColorDialog dialog(initial, owner);
    // Centred over the owner's window before it shows; both windows wear the same frame,
    // so the difference of their inner sizes is the difference of their outer ones.
    if (owner) {
        const QWidget* window = owner->window();
        dialog.adjustSize();
        const QRect frame = window->frameGeometry();
        dialog.move(frame.left() + (window->width() - dialog.width()) / 2,
                    frame.top() + (window->height() - dialog.height()) / 2);
    }
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return std::nullopt;
    return dialog.selectedColor();
}

int QtPrompts::ShowModal(QDialog& dialog)
{
    return dialog.exec();
}

#include "appearance/frmColor.h"

#include "appearance/ColorSwatches.h"
#include "platform/ColorRef.h"
#include "platform/Prompts.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QRect toPixels(const QRect& twips)
{
    return Twips::ForScreen().ToPixels(twips.left(), twips.top(), twips.width(), twips.height());
}

void fillWith(QWidget* widget, std::int32_t color)
{
    QPalette palette = widget->palette();
    const QColor fill = ColorRef::ToQColor(color);
    palette.setColor(QPalette::Window, fill);
    // The check box's caption stays readable on any custom colour.
    palette.setColor(QPalette::WindowText, qGray(fill.rgb()) < 128 ? Qt::white : Qt::black);
    widget->setPalette(palette);
}

QLabel* newSwatch(QWidget* parent, std::int32_t color)
{
    auto* swatch = new QLabel(parent);
    swatch->setAutoFillBackground(true);
    swatch->setFrameShape(QFrame::Box);
    swatch->setMouseTracking(true);
    fillWith(swatch, color);
    return swatch;
}

// A hollow square drawn round a swatch; the mouse passes through it to the palette.
QFrame* newMarker(QWidget* parent, const char* name, const QString& style)
{
    auto* marker = new QFrame(parent);
    marker->setObjectName(QString::fromLatin1(name));
    marker->setAttribute(Qt::WA_TransparentForMouseEvents);
    marker->setStyleSheet(QStringLiteral("QFrame { background: transparent; %1 }").arg(style));
    marker->hide();
    return marker;
}

bool isLeftClick(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const auto* widget = static_cast<QWidget*>(watched);
    return mouse->button() == Qt::LeftButton &&
           widget->rect().contains(mouse->position().toPoint());
}

} // namespace

frmColor::frmColor(Prompts& prompts, QWidget* parent) : QDialog(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmColor"));
    setWindowTitle(QStringLiteral("Color"));
    buildWidgets();
}

void frmColor::buildWidgets()
{
    setMouseTracking(true);

    m_tabColor = new QTabBar(this);
    m_tabColor->setObjectName(QStringLiteral("tabColor"));
    m_tabColor->addTab(QStringLiteral("Font Color"));
    m_tabColor->addTab(QStringLiteral("Background"));
    m_tabColor->setExpanding(false);
    m_tabColor->setMouseTracking(true);
    m_tabColor->installEventFilter(this);

    m_fraColorBox = new QFrame(this);
    m_fraColorBox->setObjectName(QStringLiteral("fraColorBox"));
    m_fraColorBox->setFrameShape(QFrame::StyledPanel);
    m_fraColorBox->setFixedSize(toPixels(QRect(QPoint(0, 0), ColorSwatches::BoxSize())).size());
    m_fraColorBox->setMouseTracking(true);
    m_fraColorBox->installEventFilter(this);
    // Under the swatches, so a swatch always shows whole.
    m_shpSelector = newMarker(m_fraColorBox, "shpSelector",
                              QStringLiteral("border: 2px dotted palette(window-text);"));
    m_shpSelected = newMarker(m_fraColorBox, "shpSelected",
                              QStringLiteral("border: 2px solid palette(window-text);"));
    for (int i = 0; i < ColorSwatches::Count; ++i) {
        QLabel* swatch = newSwatch(m_fraColorBox, ColorSwatches::Color(i));
        swatch->setObjectName(QStringLiteral("lblColorBox%1").arg(i));
        swatch->setToolTip(ColorSwatches::Name(i));
        swatch->setGeometry(toPixels(ColorSwatches::SwatchRect(i)));
        swatch->installEventFilter(this);
        m_lblColorBox.push_back(swatch);
    }

    m_lblSample = new QLabel(this);
    m_lblSample->setObjectName(QStringLiteral("lblSample"));
    QFont sampleFont(QStringLiteral("Times New Roman"));
    sampleFont.setStyleHint(QFont::Serif);
    sampleFont.setPointSize(16);
    m_lblSample->setFont(sampleFont);
    m_lblSample->setAlignment(Qt::AlignCenter);
    m_lblSample->setAutoFillBackground(true);
    m_lblSample->setFrameShape(QFrame::StyledPanel);
    m_lblSample->setMinimumSize(Twips::ForScreen().ToPixels(0, 0, 1800, 900).size());

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* palette = new QVBoxLayout;
    palette->setSpacing(0);
    palette->addWidget(m_tabColor);
    palette->addWidget(m_fraColorBox);
    palette->addStretch();
    auto* side = new QVBoxLayout;
    side->addWidget(buildCustomFrame());
    side->addWidget(m_lblSample);
    side->addStretch();
    side->addWidget(m_cmdOK);
    side->addWidget(m_cmdCancel);

    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(palette);
    layout->addLayout(side);

    connect(m_tabColor, &QTabBar::currentChanged, this, &frmColor::tabColorClick);
    connect(m_chkCustom, &QCheckBox::toggled, this, &frmColor::chkCustomChanged);
    connect(m_cmdCustom, &QPushButton::clicked, this, &frmColor::cmdCustomClick);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmColor::cmdOKClick);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmColor::cmdCancelClick);
}

QWidget* frmColor::buildCustomFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Custom"), this);
    frame->setObjectName(QStringLiteral("fraCustom"));
    m_lblCustom = newSwatch(frame, m_customSwatchColor);
    m_lblCustom->setObjectName(QStringLiteral("lblCustom"));
    m_lblCustom->setFixedSize(toPixels(ColorSwatches::MarkerRect(0)).size());
    m_lblCustom->installEventFilter(this);
    m_chkCustom = new QCheckBox(QStringLiteral("Custom"), frame);
    m_chkCustom->setObjectName(QStringLiteral("chkCustom"));
    m_chkCustom->setAutoFillBackground(true);
    fillWith(m_chkCustom, m_customSwatchColor);
    m_cmdCustom = new QPushButton(QStringLiteral("Change..."), frame);
    m_cmdCustom->setObjectName(QStringLiteral("cmdCustom"));
    auto* layout = new QGridLayout(frame);
    layout->addWidget(m_lblCustom, 0, 0);
    layout->addWidget(m_chkCustom, 0, 1);
    layout->addWidget(m_cmdCustom, 1, 0, 1, 3);
    layout->setColumnStretch(2, 1);
    return frame;
}

QLabel* frmColor::lblColorBox(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_lblColorBox.size()))
        return nullptr;
    return m_lblColorBox[static_cast<std::size_t>(index)];
}

void frmColor::Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_customColor = m_customSwatchColor;
    RefreshSample();
    tabColorClick();
    m_lblSample->setText(QStringLiteral("Tavoro"));
}

void frmColor::showEvent(QShowEvent* event)
{
    Load();
    QDialog::showEvent(event);
}

bool frmColor::fontTabSelected() const
{
    return m_tabColor->currentIndex() == 0;
}

void frmColor::RefreshSample()
{
    QPalette palette = m_lblSample->palette();
    palette.setColor(QPalette::WindowText, ColorRef::ToQColor(m_fontColor));
    palette.setColor(QPalette::Window, ColorRef::ToQColor(m_bkGndColor));
    m_lblSample->setPalette(palette);
}

void frmColor::SetColor(int index)
{
    if (fontTabSelected())
        m_fontColor = ColorSwatches::Color(index);
    else
        m_bkGndColor = ColorSwatches::Color(index);
    RefreshSample();
}

void frmColor::placeMarker(QFrame* marker, int index)
{
    marker->setGeometry(toPixels(ColorSwatches::MarkerRect(index)));
    marker->show();
}

void frmColor::SetHighLightByIndex(int index)
{
    placeMarker(m_shpSelector, index);
    m_highlighted = index;
}

void frmColor::showCustomColor(std::int32_t color)
{
    m_customSwatchColor = color;
    fillWith(m_lblCustom, color);
    fillWith(m_chkCustom, color);
}

void frmColor::SetSelectedByIndex(int index)
{
    placeMarker(m_shpSelected, index);
    m_selected = index;
    showCustomColor(m_customColor);
    m_chkCustom->setChecked(false);
}

void frmColor::SetSelectedByColor(std::int32_t color)
{
    const int index = ColorSwatches::IndexOf(color);
    if (index >= 0) {
        SetSelectedByIndex(index);
        return;
    }
    showCustomColor(color);
    m_chkCustom->setChecked(true);
    m_shpSelected->hide();
}

void frmColor::chkCustomChanged(bool checked)
{
    if (checked) {
        m_shpSelected->hide();
        m_shpSelector->hide();
    } else if (m_selected >= 0) {
        // Only a frame that was placed round a swatch comes back.
        m_shpSelected->show();
    }
}

void frmColor::tabColorClick()
{
    SetSelectedByColor(fontTabSelected() ? m_fontColor : m_bkGndColor);
}

void frmColor::lblColorBoxClick(int index)
{
    SetColor(index);
    SetSelectedByIndex(index);
}

void frmColor::lblColorBoxMouseMove(int index)
{
    SetHighLightByIndex(index);
}

void frmColor::fraColorBoxClick()
{
    if (m_highlighted >= 0)
        lblColorBoxClick(m_highlighted);
}

void frmColor::fraColorBoxMouseMove(const QPoint& position)
{
    const Twips units = Twips::ForScreen();
    const int index =
        ColorSwatches::HitTest(units.FromPixels(position.x()), units.FromPixels(position.y()));
    if (index >= 0)
        SetHighLightByIndex(index);
}

void frmColor::lblCustomClick()
{
    m_chkCustom->toggle();
}

void frmColor::cmdCustomClick()
{
    const std::optional<QColor> picked =
        m_prompts.PickColor(this, ColorRef::ToQColor(m_customSwatchColor));
    if (!picked || !picked->isValid())
        return;
    const std::int32_t color = ColorRef::FromQColor(*picked);
    if (fontTabSelected())
        m_fontColor = color;
    else
        m_bkGndColor = color;
    RefreshSample();
    SetSelectedByColor(color);
}

void frmColor::cmdOKClick()
{
    m_isSaved = true;
    done(QDialog::Accepted);
}

void frmColor::cmdCancelClick()
{
    done(QDialog::Rejected);
}

bool frmColor::eventFilter(QObject* watched, QEvent* event)
{
    const bool move = event->type() == QEvent::MouseMove;
    const bool click = isLeftClick(watched, event);
    const auto swatch = std::find(m_lblColorBox.begin(), m_lblColorBox.end(), watched);
    // Handled mouse events end here: passed on to the parent, a move over the palette
    // would hide the frame it just placed and a click on a swatch would click the palette.
    if (swatch != m_lblColorBox.end() && (move || click)) {
        const int index = static_cast<int>(swatch - m_lblColorBox.begin());
        if (move)
            lblColorBoxMouseMove(index);
        else
            lblColorBoxClick(index);
        return true;
    }
    if (watched == m_fraColorBox && move) {
        fraColorBoxMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    }
    if (watched == m_fraColorBox && click) {
        fraColorBoxClick();
        return true;
    }
    if (watched == m_lblCustom && click) {
        lblCustomClick();
        return true;
    }
    if (watched == m_tabColor && move)
        m_shpSelector->hide();
    return QDialog::eventFilter(watched, event);
}

void frmColor::mouseMoveEvent(QMouseEvent* event)
{
    m_shpSelector->hide();
    QDialog::mouseMoveEvent(event);
}

bool frmColor::Choose(Prompts& prompts, QWidget* owner, std::int32_t& fontColor,
                      std::int32_t& bkGndColor)
{
    frmColor dialog(prompts, owner);
    dialog.SetFontColor(fontColor);
    dialog.SetBkGndColor(bkGndColor);
    dialog.Load();
    prompts.ShowModal(dialog);
    if (!dialog.IsSaved())
        return false;
    fontColor = dialog.FontColor();
    bkGndColor = dialog.BkGndColor();
    return true;
}

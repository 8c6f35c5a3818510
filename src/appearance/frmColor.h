#pragma once

#include <QDialog>

#include <cstdint>
#include <vector>

class Prompts;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTabBar;

// Color: a text and a background colour for one pane, from a palette of 40 swatches or
// through the colour picker. Both colours go in before Load and come out after OK; the
// selected tab decides which one a choice changes.
class frmColor : public QDialog
{
    Q_OBJECT

public:
    explicit frmColor(Prompts& prompts, QWidget* parent = nullptr);

    std::int32_t FontColor() const { return m_fontColor; }
    std::int32_t BkGndColor() const { return m_bkGndColor; }
    void SetFontColor(std::int32_t color) { m_fontColor = color; }
    void SetBkGndColor(std::int32_t color) { m_bkGndColor = color; }
    // True only after OK.
    bool IsSaved() const { return m_isSaved; }

    // Shows the two colours and marks the text colour's swatch. Runs once; showing the
    // dialog runs it when the caller has not.
    void Load();

    void RefreshSample();
    // The selected tab's colour becomes swatch i's.
    void SetColor(int index);
    void SetHighLightByIndex(int index);
    void SetSelectedByIndex(int index);
    // Marks the swatch of that colour, or shows the colour as the custom one.
    void SetSelectedByColor(std::int32_t color);

    // The controls' handlers. Positions are in pixels of the palette frame.
    void tabColorClick();
    void lblColorBoxClick(int index);
    void lblColorBoxMouseMove(int index);
    void fraColorBoxClick();
    void fraColorBoxMouseMove(const QPoint& position);
    void lblCustomClick();
    void cmdCustomClick();
    void cmdOKClick();
    void cmdCancelClick();

    // Runs the dialog on a pane's two colours; true and both colours changed after OK.
    static bool Choose(Prompts& prompts, QWidget* owner, std::int32_t& fontColor,
                       std::int32_t& bkGndColor);

    QTabBar* tabColor() const { return m_tabColor; }
    QFrame* fraColorBox() const { return m_fraColorBox; }
    QLabel* lblColorBox(int index) const;
    QFrame* shpSelected() const { return m_shpSelected; }
    QFrame* shpSelector() const { return m_shpSelector; }
    QLabel* lblCustom() const { return m_lblCustom; }
    QCheckBox* chkCustom() const { return m_chkCustom; }
    QPushButton* cmdCustom() const { return m_cmdCustom; }
    QLabel* lblSample() const { return m_lblSample; }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    // The swatch the mouse marks, -1 before any.
    int HighlightedIndex() const { return m_highlighted; }
    // The colour the custom swatch shows now.
    std::int32_t CustomSwatchColor() const { return m_customSwatchColor; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildWidgets();
    QWidget* buildCustomFrame();
    void placeMarker(QFrame* marker, int index);
    void showCustomColor(std::int32_t color);
    void chkCustomChanged(bool checked);
    bool fontTabSelected() const;

    Prompts& m_prompts;
    std::int32_t m_fontColor = 0;
    std::int32_t m_bkGndColor = 0;
    bool m_isSaved = false;
    bool m_loaded = false;
    // The colour the custom swatch returns to whenever a palette swatch is chosen.
    std::int32_t m_customColor = 0x808080;
    std::int32_t m_customSwatchColor = 0x808080;
    int m_highlighted = -1;
    int m_selected = -1;

    QTabBar* m_tabColor = nullptr;
    QFrame* m_fraColorBox = nullptr;
    std::vector<QLabel*> m_lblColorBox;
    QFrame* m_shpSelected = nullptr;
    QFrame* m_shpSelector = nullptr;
    QLabel* m_lblCustom = nullptr;
    QCheckBox* m_chkCustom = nullptr;
    QPushButton* m_cmdCustom = nullptr;
    QLabel* m_lblSample = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};

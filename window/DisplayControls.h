#pragma once

// The small display controls of the main window: picture boxes (TImage),
// colour swatches (TShape) and the up-down arrow pair (TUpDown).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSpinBox>
#include <QWidget>

class QToolButton;

namespace tf {

// The font every window is designed in: "ＭＳ Ｐゴシック" at 9 points, 12
// pixels at 96 dpi (drawn with the font substituted for it).
QFont DesignFont();

// Shows a picture at its top-left corner: at 1:1, sized to the picture when
// auto-sized, or stretched over the whole control.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    void setAutoSize(bool on) { m_autoSize = on; }
    void setStretch(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    bool m_autoSize = false;
    bool m_stretch = false;
};

// A framed rectangle filled with a brush colour.
class ColorShape : public QWidget {
    Q_OBJECT
public:
    explicit ColorShape(QWidget* parent = nullptr);

    void setBrushColor(const QColor& color);
    QColor brushColor() const { return m_color; }

signals:
    void pressed(); // any mouse button

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor m_color = Qt::white;
};

// A vertical pair of arrows over a position from 0 to 100, starting at 50.
// A click that moves the position reports which arrow it was; at either end
// the click has no effect.
class UpDownArrows : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMin = 0;
    static constexpr int kMax = 100;

    explicit UpDownArrows(QWidget* parent = nullptr);
    int position() const { return m_position; }
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

    void clickUp();
    void clickDown();

signals:
    void upClicked();
    void downClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
    int m_position = 50;
};

// A font size in points, typed or stepped within kMinPoints to kMaxPoints
// (the common size list of a font dialog ends at 72; a larger text does not
// fit any field of a player window). A size a skin gives outside them is
// shown as it is, so that what the box shows is what is saved.
class FontSizeBox : public QSpinBox {
    Q_OBJECT
public:
    static constexpr int kMinPoints = 1;
    static constexpr int kMaxPoints = 72;

    explicit FontSizeBox(QWidget* parent = nullptr);
    // Shows points, widening the limits for it when it lies outside them.
    void showValue(int points);
};

} // namespace tf

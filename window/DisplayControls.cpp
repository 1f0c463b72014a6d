#include "window/DisplayControls.h"

#include <QMouseEvent>
#include <algorithm>
#include <QPainter>
#include <QToolButton>

namespace tf {

QFont DesignFont()
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    return font;
}

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
}

void PictureBox::setPicture(const QImage& picture)
{
    m_picture = picture;
    if (m_autoSize && !picture.isNull())
        resize(picture.size());
    update();
}

void PictureBox::setStretch(bool on)
{
    m_stretch = on;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_stretch)
        painter.drawImage(rect(), m_picture); // nearest pixel: no smoothing is set
    else
        painter.drawImage(QPoint(0, 0), m_picture);
}

ColorShape::ColorShape(QWidget* parent)
    : QWidget(parent)
{
}

void ColorShape::setBrushColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void ColorShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(m_color);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorShape::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit pressed();
}

UpDownArrows::UpDownArrows(QWidget* parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(m_up, &QToolButton::clicked, this, &UpDownArrows::clickUp);
    connect(m_down, &QToolButton::clicked, this, &UpDownArrows::clickDown);
}

void UpDownArrows::clickUp()
{
    if (m_position >= kMax)
        return;
    ++m_position;
    emit upClicked();
}

void UpDownArrows::clickDown()
{
    if (m_position <= kMin)
        return;
    --m_position;
    emit downClicked();
}

void UpDownArrows::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

FontSizeBox::FontSizeBox(QWidget* parent)
    : QSpinBox(parent)
{
    setRange(kMinPoints, kMaxPoints);
    setAlignment(Qt::AlignRight);
    setToolTip(tr("%1 から %2 ポイントまで").arg(kMinPoints).arg(kMaxPoints));
}

void FontSizeBox::showValue(int points)
{
    setRange(std::min(points, int(kMinPoints)), std::max(points, int(kMaxPoints)));
    setValue(points);
}

} // namespace tf

#include "window/AboutBox.h"

#include "platform/Product.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace tf {

TURLLabel::TURLLabel(QWidget* parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

QColor TURLLabel::fontColor() const
{
    return palette().color(QPalette::WindowText);
}

void TURLLabel::setFontColor(const QColor& color)
{
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, color);
    setPalette(colors); // repaints
}

void TURLLabel::setHotTrack(bool on)
{
    if (on != m_hotTrack) {
        m_hotTrack = on;
        update();
    }
}

void TURLLabel::setHotColor(const QColor& color)
{
    if (color != m_hotColor) {
        m_hotColor = color;
        update();
    }
}

void TURLLabel::setPushedColor(const QColor& color)
{
    if (color != m_pushedColor) {
        m_pushedColor = color;
        update();
    }
}

void TURLLabel::setExecutable(bool on)
{
    if (on != m_executable) {
        m_executable = on;
        update();
    }
}

void TURLLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    if (!m_hotTrack)
        return;
    m_savedColor = fontColor();
    setFontColor(m_hotColor);
}

void TURLLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    if (m_hotTrack && m_savedColor.isValid())
        setFontColor(m_savedColor);
}

void TURLLabel::mousePressEvent(QMouseEvent* event)
{
    if (m_hotTrack)
        setFontColor(m_pushedColor);
    if (m_executable)
        QDesktopServices::openUrl(QUrl(text()));
    event->accept();
}

void TURLLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_hotTrack) {
        const bool inside = rect().contains(event->position().toPoint());
        if (inside || !m_savedColor.isValid())
            setFontColor(m_hotColor);
        else
            setFontColor(m_savedColor);
    }
    event->accept();
}

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint
                          | Qt::WindowTitleHint)
    , Label1(new QLabel(this))
    , URLLabel1(new TURLLabel(this))
    , Label2(new QLabel(this))
    , Button1(new QPushButton(tr("OK"), this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("About"));
    setFixedSize(340, 105);
    move(582, 420);

    QFont bold = font();
    bold.setPixelSize(19);
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->move(12, 12);

    URLLabel1->setText(kAddress);
    URLLabel1->setFontColor(Qt::blue);
    URLLabel1->setHotColor(Qt::blue);
    URLLabel1->setExecutable(true);
    URLLabel1->move(80, 36);
    URLLabel1->adjustSize();

    Label2->setText(tr("フリーソフトウェアです。"));
    Label2->move(140, 56);
    Label2->adjustSize();

    Button1->setGeometry(124, 72, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate();
}

void TForm2::FormCreate()
{
    Label1->setText(kMainCaption);
    Label1->adjustSize();
}

} // namespace tf

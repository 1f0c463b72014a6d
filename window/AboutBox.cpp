#include "window/AboutBox.h"

#include "platform/Notices.h"
#include "platform/Product.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include <algorithm>

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
    , NoticesLabel(new QLabel(this))
    , NoticesLink(new QLabel(this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("About"));
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
    ShowNotices();
    FormCreate();
}

void TForm2::ShowNotices()
{
    QStringList lines{tr("MIT ライセンスです。使っているライブラリとそのライセンス:")};
    for (const LibraryNotice& notice : LibraryNotices())
        lines << QStringLiteral("  %1: %2").arg(notice.Name, notice.Licence);
    NoticesLabel->setText(lines.join(QLatin1Char('\n')));
    NoticesLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    NoticesLabel->setWordWrap(true); // a long licence name goes on over the next line
    NoticesLabel->setGeometry(12, 110, 316, NoticesLabel->heightForWidth(316));
    int bottom = NoticesLabel->geometry().bottom();

    const QString notices = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kNoticesFileName));
    NoticesLink->setVisible(QFileInfo(notices).isFile());
    if (NoticesLink->isVisibleTo(this)) {
        NoticesLink->setText(tr("ライセンスの全文: <a href=\"%1\">%2</a>")
                                 .arg(QUrl::fromLocalFile(notices).toString(), QString::fromLatin1(kNoticesFileName)));
        NoticesLink->setOpenExternalLinks(true);
        NoticesLink->move(12, bottom + 6);
        NoticesLink->adjustSize();
        bottom = NoticesLink->geometry().bottom();
    }
    setFixedSize(340, std::max(105, bottom + 10));
}

void TForm2::FormCreate()
{
    Label1->setText(kMainCaption);
    Label1->adjustSize();
}

} // namespace tf

#include "window/SplashWindow.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Product.h"
#include "platform/Prompts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QWindow>

namespace tf {
namespace {

constexpr int kLabelLeft = 228;
constexpr int kLabelTop = 108;

QPixmap ReadSplashPicture(const std::filesystem::path& path)
{
    QImageReader reader(PathToQString(path));
    const QImage picture = reader.read();
    if (picture.isNull())
        ThrowFileOpenError(path, reader.errorString());
    return QPixmap::fromImage(picture);
}

} // namespace

TForm3::TForm3(const std::filesystem::path& exeFolder, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , Image1(new QLabel(this))
    , Label1(new QLabel(this))
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("Form3"));
    resize(kDesignWidth, kDesignHeight);
    move(500, 360);
    Image1->move(0, 0);
    Label1->move(kLabelLeft, kLabelTop);
    Label1->setAttribute(Qt::WA_TranslucentBackground);
    FormCreate(exeFolder);
}

void TForm3::FormCreate(const std::filesystem::path& exeFolder)
{
    Label1->setText(SplashVersionText());
    Label1->adjustSize();
    try {
        const QPixmap picture = ReadSplashPicture(exeFolder / "Start.jpg");
        Image1->setPixmap(picture);
        Image1->resize(picture.size());
        resize(picture.size());
        PlaceLabel(); // no resize event reaches a window before it is shown
    } catch (const AppError& error) {
        // The splash keeps its design size and shows no picture.
        m_prompts.showError(error.message());
    }
}

void TForm3::resizeEvent(QResizeEvent*)
{
    PlaceLabel();
}

void TForm3::PlaceLabel()
{
    // Label1 is anchored to the top and right edges.
    Label1->move(kLabelLeft + width() - kDesignWidth, kLabelTop);
}

void TForm3::showAndPaint()
{
    show();
    // The window system maps the window asynchronously; wait (briefly) for
    // it to be exposed so that the paint below reaches the screen.
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    repaint();
}

} // namespace tf

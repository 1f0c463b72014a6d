#include "window/BusyWork.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <exception>
#include <vector>

namespace tf {
namespace {

// Shorter work is not worth a round of events: the window would not have
// been seen to stop anyway.
constexpr int kQuietWaitMs = 100;

bool g_waiting = false;

// Swallows the user's input to the whole application; closes are kept for
// later.
class InputHold : public QObject {
public:
    InputHold() { qApp->installEventFilter(this); }
    ~InputHold() override
    {
        qApp->removeEventFilter(this);
        for (const QPointer<QWidget>& window : m_closed)
            if (window)
                QTimer::singleShot(0, window, &QWidget::close);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        case QEvent::Close:
            if (auto* window = qobject_cast<QWidget*>(watched); window && window->isWindow()) {
                m_closed.emplace_back(window);
                event->ignore();
                return true;
            }
            return false;
        default:
            return false;
        }
    }

private:
    std::vector<QPointer<QWidget>> m_closed;
};

} // namespace

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

void RunOffGuiThread(const std::function<void()>& work)
{
    std::exception_ptr failure;
    QThread* thread = QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    thread->start();
    if (!thread->wait(QDeadlineTimer(kQuietWaitMs))) {
        const InputHold hold;
        QEventLoop loop;
        QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
        // finished may have gone out before the connection was made.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (thread->isFinished())
                loop.quit();
        });
        poll.start(20);
        g_waiting = true;
        if (!thread->isFinished())
            loop.exec();
        g_waiting = false;
        thread->wait();
    }
    delete thread;
    if (failure)
        std::rethrow_exception(failure);
}

bool GuiThreadWaiting() { return g_waiting; }

} // namespace tf

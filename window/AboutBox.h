#pragma once

// The About box TForm2 and its link label TURLLabel.

#include <QColor>
#include <QDialog>
#include <QLabel>

class QPushButton;

namespace tf {

// A label that lights up under the pointer and, when Executable, opens its
// caption (a web address) with the desktop's handler when pressed.
class TURLLabel : public QLabel {
    Q_OBJECT
public:
    explicit TURLLabel(QWidget* parent = nullptr);

    bool hotTrack() const { return m_hotTrack; }
    QColor hotColor() const { return m_hotColor; }
    QColor pushedColor() const { return m_pushedColor; }
    bool executable() const { return m_executable; }
    QColor fontColor() const;

    void setHotTrack(bool on);
    void setHotColor(const QColor& color);
    void setPushedColor(const QColor& color);
    void setExecutable(bool on);
    void setFontColor(const QColor& color);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_hotTrack = true;
    QColor m_hotColor = QColor(0, 255, 255);  // aqua
    QColor m_pushedColor = QColor(255, 0, 0); // red
    bool m_executable = false;
    QColor m_savedColor; // the font colour before the pointer came in
};

class TForm2 : public QDialog {
    Q_OBJECT
public:
    static inline const QString kAddress = QStringLiteral("https://tessaform.example.org/");

    explicit TForm2(QWidget* parent = nullptr);

    QLabel* Label1;
    TURLLabel* URLLabel1;
    QLabel* Label2;
    QPushButton* Button1;
    QLabel* NoticesLabel; // the libraries and their licences, below the rest
    QLabel* NoticesLink;  // opens the full notices shipped beside the program

private:
    void FormCreate();
    void ShowNotices();
};

} // namespace tf

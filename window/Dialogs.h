#pragma once

// The modal dialogs of the main window behind one interface, so that tests
// can answer them: the folder dialog FD1, OpenDialog1, SaveDialog1,
// FontDialog1 (our own, FontDialog.h) and ColorDialog1, and the question
// before saving a skin that is not all its own.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace tf {

struct FontChoice {
    QString Face;
    int Size = 8; // points
    bool Bold = false;
    bool Italic = false;
    QColor Color = Qt::black;
    bool operator==(const FontChoice&) const = default;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The folder browser: root preselected when it names a folder; the chosen
    // folder's full path, or nothing when cancelled.
    virtual std::optional<QString> chooseFolder(QWidget* owner, const QString& title,
                                                const QString& root) = 0;
    // The open dialog with Qt name filters, the first one active.
    virtual std::optional<QString> chooseOpenFile(QWidget* owner, const QString& title,
                                                  const QString& initialName,
                                                  const QStringList& filters) = 0;
    // The save dialog: the suffix is added to a name typed without one, and
    // replacing an existing file is confirmed first; Qt name filters, the
    // first one active.
    virtual std::optional<QString> chooseSaveFile(QWidget* owner, const QString& initialName,
                                                  const QString& defaultSuffix, const QStringList& filters) = 0;
    virtual std::optional<FontChoice> chooseFont(QWidget* owner, const FontChoice& preset) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* owner, const QColor& preset) = 0;
    // A question box with OK and Cancel; true for OK.
    virtual bool askOkCancel(QWidget* owner, const QString& caption, const QString& text) = 0;
};

// The Qt dialogs.
class QtDialogs : public Dialogs {
public:
    std::optional<QString> chooseFolder(QWidget* owner, const QString& title,
                                        const QString& root) override;
    std::optional<QString> chooseOpenFile(QWidget* owner, const QString& title,
                                          const QString& initialName,
                                          const QStringList& filters) override;
    std::optional<QString> chooseSaveFile(QWidget* owner, const QString& initialName,
                                          const QString& defaultSuffix, const QStringList& filters) override;
    std::optional<FontChoice> chooseFont(QWidget* owner, const FontChoice& preset) override;
    std::optional<QColor> chooseColor(QWidget* owner, const QColor& preset) override;
    bool askOkCancel(QWidget* owner, const QString& caption, const QString& text) override;
};

// The face to keep from a font dialog: the dialog lists installed fonts
// only, so a preset Windows name (e.g. "MS UI Gothic") comes back as the
// font standing in for it. Choosing that stand-in keeps the Windows name,
// which is the one Korvel knows.
QString KeepWindowsFace(const QString& presetFace, const QString& chosenFace);

} // namespace tf

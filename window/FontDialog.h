#pragma once

// The font dialog of the three font buttons. Korvel runs on Windows, so the
// faces a Japanese Windows has come first, under their Windows names, and a
// name goes back exactly as it came in when the user does not change it.
// The sample is drawn with the installed font standing in for the face, and
// the dialog says which that is.

#include "window/Dialogs.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace tf {

// The faces a Japanese Windows ships, in the order the dialog lists them.
const QStringList& WindowsFaceNames();
bool IsWindowsFace(const QString& face);

class FontPicker : public QDialog {
    Q_OBJECT
public:
    FontPicker(const FontChoice& preset, QWidget* parent = nullptr);

    // The face list: the Windows faces, then the installed families (and a
    // preset face that is neither, first).
    QListWidget* faceList() const { return m_faces; }
    QSpinBox* sizeBox() const { return m_size; }
    QLabel* standInLabel() const { return m_standIn; }
    QLabel* warningLabel() const { return m_warning; }
    QLabel* sampleLabel() const { return m_sample; }

    void selectFace(const QString& face);
    FontChoice choice() const;

private:
    void ShowSample();

    FontChoice m_preset;
    QListWidget* m_faces;
    QSpinBox* m_size;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QLabel* m_sample;
    QLabel* m_standIn;
    QLabel* m_warning;
};

} // namespace tf

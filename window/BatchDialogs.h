#pragma once

// The two windows of a batch conversion: the settings it asks for first
// (where to write, and the converter's options, preset as a fresh start of
// the window has them), and the progress of the run, which becomes the
// list of results at its end.

#include "gallery/BatchConversion.h"
#include "session/ConvertSkin.h"

#include <QDialog>
#include <QUrl>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace tf {

class Dialogs;

struct BatchSettings {
    QString OutputFolder;
    ConversionOptions Options;
};

class BatchSettingsDialog : public QDialog {
    Q_OBJECT
public:
    BatchSettingsDialog(QWidget* owner, Dialogs& dialogs, int skinCount, const BatchSettings& preset);
    BatchSettings settings() const;

    QLineEdit* OutputEdit;
    QPushButton* BrowseButton;
    QCheckBox* EqualizerBox;
    QCheckBox* EqualizerOnTopBox;
    QSpinBox* PlaylistWidthBox;
    QSpinBox* PlaylistHeightBox;
    QCheckBox* TimeBox;
    QCheckBox* AnalyzerBox;
    QCheckBox* SongTitleBox;
    QCheckBox* InfoBox;
    QCheckBox* SeekBarBox;
    QPushButton* ConvertButton;

private:
    void showSettings(const BatchSettings& settings);
    void enableConvert(bool enabled);
};

// Follows a running batch: the count and a bar, the skins being converted,
// Cancel. At the end it lists every skin (converted, with warnings, failed
// and why, not started); a double click opens a converted skin's Korvel
// view, or the folder of a skin that failed. The list can be saved as text.
class BatchProgressDialog : public QDialog {
    Q_OBJECT
public:
    BatchProgressDialog(QWidget* owner, BatchConversion& batch, Dialogs& dialogs);

    // How folders are opened (the desktop's file manager); tests catch it.
    void setUrlOpener(std::function<void(const QUrl&)> open) { m_open = std::move(open); }
    // Opens what the line of the list stands for.
    void openLine(int line);

    QLabel* StatusLabel;
    QLabel* InFlightLabel;
    QProgressBar* Progress;
    QPushButton* CancelButton;
    QTreeWidget* Results;
    QPushButton* SaveButton;
    QPushButton* OpenFolderButton;
    QPushButton* CloseButton;

protected:
    // Closed while it runs, the batch goes on and the window comes back
    // with the results.
    void reject() override;

private:
    void showProgress();
    void showResults();
    void saveResults();

    BatchConversion& m_batch;
    Dialogs& m_dialogs;
    std::function<void(const QUrl&)> m_open;
};

// A converted skin as the player shows it, read from what was written.
class KorvelViewDialog : public QDialog {
    Q_OBJECT
public:
    // Throws AppError when the skin cannot be read or drawn.
    KorvelViewDialog(QWidget* owner, const std::filesystem::path& ssfPath);
};

} // namespace tf

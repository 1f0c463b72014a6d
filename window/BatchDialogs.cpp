#include "window/BatchDialogs.h"

#include "korvel/ImageLookup.h"
#include "korvel/KorvelDefinition.h"
#include "korvel/KorvelView.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "skin/Playlist.h"
#include "window/Dialogs.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr int kLineRole = Qt::UserRole + 1;

QCheckBox* AddCheck(QLayout* layout, const QString& text, const char* name)
{
    auto* box = new QCheckBox(text);
    box->setObjectName(QString::fromLatin1(name));
    layout->addWidget(box);
    return box;
}

QSpinBox* StepsBox(const char* name)
{
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, kMaxPlaylistSteps);
    return box;
}

QString OutcomeText(const BatchLine& line)
{
    switch (line.Result) {
    case BatchLine::Outcome::Converted: return BatchProgressDialog::tr("変換済み");
    case BatchLine::Outcome::ConvertedWithWarnings:
        return BatchProgressDialog::tr("変換済み (警告 %n 件)", nullptr, int(line.Warnings.size()));
    case BatchLine::Outcome::Failed: return BatchProgressDialog::tr("失敗");
    case BatchLine::Outcome::NotStarted: break;
    }
    return BatchProgressDialog::tr("未変換 (中止)");
}

QStyle::StandardPixmap IconOf(BatchLine::Outcome outcome)
{
    switch (outcome) {
    case BatchLine::Outcome::Converted: return QStyle::SP_DialogApplyButton;
    case BatchLine::Outcome::ConvertedWithWarnings: return QStyle::SP_MessageBoxWarning;
    case BatchLine::Outcome::Failed: return QStyle::SP_MessageBoxCritical;
    case BatchLine::Outcome::NotStarted: break;
    }
    return QStyle::SP_MediaStop;
}

} // namespace

BatchSettingsDialog::BatchSettingsDialog(QWidget* owner, Dialogs& dialogs, int skinCount, const BatchSettings& preset)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("BatchSettingsDialog"));
    setWindowTitle(tr("選択したスキンを一括変換"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("%n 個のスキンを変換します。それぞれ出力先の「名前\\名前.ssf」に書き出します。",
                                nullptr, skinCount)
                                 .replace(QLatin1Char('\\'), QDir::separator()));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* form = new QFormLayout;
    auto* outputRow = new QHBoxLayout;
    OutputEdit = new QLineEdit;
    OutputEdit->setObjectName(QStringLiteral("BatchOutputEdit"));
    OutputEdit->setMinimumWidth(320);
    BrowseButton = new QPushButton(tr("参照…"));
    BrowseButton->setObjectName(QStringLiteral("BatchBrowseButton"));
    BrowseButton->setAutoDefault(false); // Enter in the folder box converts
    outputRow->addWidget(OutputEdit, 1);
    outputRow->addWidget(BrowseButton);
    form->addRow(tr("出力先フォルダ"), outputRow);
    auto* stepsRow = new QHBoxLayout;
    PlaylistWidthBox = StepsBox("BatchPlaylistWidth");
    PlaylistHeightBox = StepsBox("BatchPlaylistHeight");
    stepsRow->addWidget(PlaylistWidthBox);
    stepsRow->addWidget(new QLabel(QStringLiteral("×")));
    stepsRow->addWidget(PlaylistHeightBox);
    stepsRow->addWidget(new QLabel(tr("(%1 × %2 ピクセルずつ大きく)").arg(kPlaylistWidthStep).arg(kPlaylistHeightStep)));
    stepsRow->addStretch();
    form->addRow(tr("プレイリストの大きさ"), stepsRow);
    layout->addLayout(form);

    auto* equalizer = new QGroupBox(tr("イコライザー"));
    auto* equalizerRow = new QHBoxLayout(equalizer);
    EqualizerBox = AddCheck(equalizerRow, tr("EQを表示する"), "BatchEqualizer");
    EqualizerOnTopBox = AddCheck(equalizerRow, tr("EQを上にする"), "BatchEqualizerOnTop");
    equalizerRow->addStretch();
    layout->addWidget(equalizer);
    auto* parts = new QGroupBox(tr("表示する部分"));
    auto* partsRow = new QHBoxLayout(parts);
    TimeBox = AddCheck(partsRow, tr("時間"), "BatchTime");
    AnalyzerBox = AddCheck(partsRow, tr("アナライザー"), "BatchAnalyzer");
    SongTitleBox = AddCheck(partsRow, tr("スクロール文字列"), "BatchSongTitle");
    InfoBox = AddCheck(partsRow, tr("周波数･ビットレート"), "BatchInfo");
    SeekBarBox = AddCheck(partsRow, tr("シークバー"), "BatchSeekBar");
    partsRow->addStretch();
    layout->addWidget(parts);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    ConvertButton = buttons->addButton(tr("変換"), QDialogButtonBox::AcceptRole);
    ConvertButton->setObjectName(QStringLiteral("BatchConvertButton"));
    // Enter converts once a folder is named, never cancels.
    buttons->button(QDialogButtonBox::Cancel)->setAutoDefault(false);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(BrowseButton, &QPushButton::clicked, this, [this, &dialogs] {
        const QString root = OutputEdit->text().trimmed().isEmpty() ? QDir::homePath() : OutputEdit->text();
        if (const auto folder = dialogs.chooseFolder(this, tr("出力先フォルダを選んでください"), root))
            OutputEdit->setText(*folder);
    });
    connect(OutputEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { enableConvert(!text.trimmed().isEmpty()); });
    connect(EqualizerBox, &QCheckBox::toggled, EqualizerOnTopBox, &QWidget::setEnabled);
    showSettings(preset);
    enableConvert(!OutputEdit->text().trimmed().isEmpty());
    OutputEdit->setFocus();
}

void BatchSettingsDialog::enableConvert(bool enabled)
{
    ConvertButton->setEnabled(enabled);
    // A disabled button loses being the default: given back each time.
    ConvertButton->setDefault(enabled);
}

void BatchSettingsDialog::showSettings(const BatchSettings& settings)
{
    const ConversionOptions& options = settings.Options;
    OutputEdit->setText(settings.OutputFolder);
    EqualizerBox->setChecked(options.ShowEqualizer);
    EqualizerOnTopBox->setChecked(options.EqualizerOnTop);
    EqualizerOnTopBox->setEnabled(options.ShowEqualizer);
    PlaylistWidthBox->setValue(options.PlaylistWidthSteps);
    PlaylistHeightBox->setValue(options.PlaylistHeightSteps);
    TimeBox->setChecked(!options.HideTime);
    AnalyzerBox->setChecked(!options.HideAnalyzer);
    SongTitleBox->setChecked(!options.HideSongTitle);
    InfoBox->setChecked(!options.HideInfo);
    SeekBarBox->setChecked(!options.HideSeekBar);
}

BatchSettings BatchSettingsDialog::settings() const
{
    BatchSettings settings;
    settings.OutputFolder = QDir::toNativeSeparators(OutputEdit->text().trimmed());
    ConversionOptions& options = settings.Options;
    options.ShowEqualizer = EqualizerBox->isChecked();
    options.EqualizerOnTop = EqualizerOnTopBox->isChecked();
    options.PlaylistWidthSteps = PlaylistWidthBox->value();
    options.PlaylistHeightSteps = PlaylistHeightBox->value();
    options.HideTime = !TimeBox->isChecked();
    options.HideAnalyzer = !AnalyzerBox->isChecked();
    options.HideSongTitle = !SongTitleBox->isChecked();
    options.HideInfo = !InfoBox->isChecked();
    options.HideSeekBar = !SeekBarBox->isChecked();
    return settings;
}

BatchProgressDialog::BatchProgressDialog(QWidget* owner, BatchConversion& batch, Dialogs& dialogs)
    : QDialog(owner)
    , m_batch(batch)
    , m_dialogs(dialogs)
    , m_open([](const QUrl& url) { QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("BatchProgressDialog"));
    setWindowTitle(tr("一括変換"));
    setModal(false);
    resize(520, 160);
    auto* layout = new QVBoxLayout(this);
    StatusLabel = new QLabel;
    StatusLabel->setObjectName(QStringLiteral("BatchStatus"));
    StatusLabel->setWordWrap(true);
    Progress = new QProgressBar;
    Progress->setObjectName(QStringLiteral("BatchProgress"));
    Progress->setFormat(QStringLiteral("%v / %m"));
    InFlightLabel = new QLabel;
    InFlightLabel->setObjectName(QStringLiteral("BatchInFlight"));
    InFlightLabel->setWordWrap(true);
    Results = new QTreeWidget;
    Results->setObjectName(QStringLiteral("BatchResults"));
    Results->setHeaderLabels({tr("スキン"), tr("結果"), tr("書き出し先 / 理由")});
    Results->setRootIsDecorated(true);
    Results->setTextElideMode(Qt::ElideMiddle);
    Results->setToolTip(tr("ダブルクリックで変換したスキンを Korvel の表示で見られます"));
    Results->hide();
    layout->addWidget(StatusLabel);
    layout->addWidget(Progress);
    layout->addWidget(InFlightLabel);
    layout->addWidget(Results, 1);
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    SaveButton = new QPushButton(tr("一覧をテキストで保存…"));
    SaveButton->setObjectName(QStringLiteral("BatchSaveButton"));
    OpenFolderButton = new QPushButton(tr("出力先フォルダを開く"));
    OpenFolderButton->setObjectName(QStringLiteral("BatchOpenFolderButton"));
    CancelButton = new QPushButton(tr("中止"));
    CancelButton->setObjectName(QStringLiteral("BatchCancelButton"));
    CloseButton = new QPushButton(tr("閉じる"));
    CloseButton->setObjectName(QStringLiteral("BatchCloseButton"));
    buttons->addWidget(SaveButton);
    buttons->addWidget(OpenFolderButton);
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    buttons->addWidget(CloseButton);
    layout->addLayout(buttons);
    SaveButton->hide();
    CloseButton->hide();

    connect(CancelButton, &QPushButton::clicked, this, [this] {
        m_batch.cancel();
        CancelButton->setEnabled(false);
        showProgress();
    });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
    connect(SaveButton, &QPushButton::clicked, this, &BatchProgressDialog::saveResults);
    connect(OpenFolderButton, &QPushButton::clicked, this,
            [this] { m_open(QUrl::fromLocalFile(PathToQString(m_batch.outputFolder()))); });
    connect(Results, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        while (item->parent())
            item = item->parent();
        openLine(item->data(0, kLineRole).toInt());
    });
    connect(&m_batch, &BatchConversion::progressed, this, &BatchProgressDialog::showProgress);
    connect(&m_batch, &BatchConversion::finished, this, &BatchProgressDialog::showResults);
    showProgress();
}

void BatchProgressDialog::showProgress()
{
    if (!m_batch.isRunning())
        return;
    Progress->setRange(0, m_batch.total());
    Progress->setValue(m_batch.done());
    QString status = tr("%1 個のうち %2 個を変換しました").arg(m_batch.total()).arg(m_batch.done());
    if (m_batch.wasCancelled())
        status += tr("。中止しています: 変換中のスキンは最後まで書き出します");
    StatusLabel->setText(status);
    const QStringList inFlight = m_batch.inFlight();
    InFlightLabel->setText(inFlight.isEmpty() ? QString() : tr("変換中: %1").arg(inFlight.join(tr("、"))));
}

void BatchProgressDialog::showResults()
{
    Progress->setRange(0, m_batch.total());
    Progress->setValue(m_batch.done());
    InFlightLabel->clear();
    InFlightLabel->hide();
    const QString report = BatchReportText(m_batch.lines(), m_batch.wasCancelled());
    StatusLabel->setText(report.trimmed().section(QLatin1Char('\n'), -1));
    Results->clear();
    const std::vector<BatchLine>& lines = m_batch.lines();
    for (size_t i = 0; i < lines.size(); ++i) {
        const BatchLine& line = lines[i];
        const bool failed = line.Result == BatchLine::Outcome::Failed;
        QString where = failed ? line.Error : DisplayPath(line.SsfPath);
        if (line.Renamed)
            where += tr(" (同じ名前のスキンが他にもあるため「%1」として)").arg(line.Name);
        auto* item = new QTreeWidgetItem(Results, {line.Name, OutcomeText(line), where});
        item->setIcon(0, style()->standardIcon(IconOf(line.Result)));
        item->setData(0, kLineRole, int(i));
        item->setToolTip(0, DisplayPath(line.Source));
        item->setToolTip(2, DescribeBatchLine(line));
        for (const QString& warning : line.Warnings) {
            auto* child = new QTreeWidgetItem(item, {warning});
            child->setFirstColumnSpanned(true);
        }
    }
    Results->expandAll();
    Results->resizeColumnToContents(1);
    Results->resizeColumnToContents(0);
    Results->setColumnWidth(0, std::min(Results->columnWidth(0), 240));
    Results->show();
    if (width() < 760 || height() < 420) {
        // Larger for the list, still over the window and on the screen.
        resize(std::max(width(), 760), std::max(height(), 420));
        QRect frame(QPoint(), size());
        frame.moveCenter(parentWidget() ? parentWidget()->geometry().center() : geometry().center());
        if (const QScreen* screen = this->screen()) {
            const QRect available = screen->availableGeometry();
            frame.moveLeft(std::clamp(frame.left(), available.left(), std::max(available.left(), available.right() - frame.width())));
            frame.moveTop(std::clamp(frame.top(), available.top(), std::max(available.top(), available.bottom() - frame.height() - 30)));
        }
        move(frame.topLeft());
    }
    CancelButton->hide();
    SaveButton->show();
    CloseButton->show();
    CloseButton->setDefault(true);
    show();
    raise();
}

void BatchProgressDialog::openLine(int line)
{
    const std::vector<BatchLine>& lines = m_batch.lines();
    if (line < 0 || size_t(line) >= lines.size())
        return;
    const BatchLine& chosen = lines[size_t(line)];
    const bool converted = chosen.Result == BatchLine::Outcome::Converted
        || chosen.Result == BatchLine::Outcome::ConvertedWithWarnings;
    if (!converted) {
        m_open(QUrl::fromLocalFile(PathToQString(chosen.Source.parent_path())));
        return;
    }
    try {
        auto* view = new KorvelViewDialog(this, chosen.SsfPath);
        view->setAttribute(Qt::WA_DeleteOnClose);
        view->show();
    } catch (const AppError& failure) {
        StatusLabel->setText(failure.message());
    }
}

void BatchProgressDialog::saveResults()
{
    const QString initial = PathToQString(m_batch.outputFolder() / "tessaform-batch.txt");
    const auto path = m_dialogs.chooseSaveFile(this, initial, QStringLiteral("txt"), {tr("テキスト (*.txt)")});
    if (!path)
        return;
    QSaveFile file(*path);
    const QByteArray text = BatchReportText(m_batch.lines(), m_batch.wasCancelled()).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(text) != text.size() || !file.commit()) {
        StatusLabel->setText(tr("一覧を %1 に保存できませんでした (%2)").arg(*path, file.errorString()));
        return;
    }
    StatusLabel->setText(tr("一覧を %1 に保存しました").arg(*path));
}

void BatchProgressDialog::reject()
{
    hide();
}

KorvelViewDialog::KorvelViewDialog(QWidget* owner, const fs::path& ssfPath)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("KorvelViewDialog"));
    // With its equalizer joined, as the player shows a skin that has one.
    const fs::path definitionPath = FindEqDefinition(ssfPath).value_or(ssfPath);
    const KorvelView view = RenderKorvelView(KorvelDefinition::Load(definitionPath), ImagesBesideFile(definitionPath));
    setWindowTitle(tr("%1 - Korvel表示").arg(PathToQString(ssfPath.stem())));
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("KorvelViewPicture"));
    picture->setPixmap(QPixmap::fromImage(view.Image));
    layout->addWidget(picture);
    auto* path = new QLabel(DisplayPath(ssfPath));
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(path);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace tf

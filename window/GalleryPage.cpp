#include "window/GalleryPage.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QComboBox>
#include <QPainter>
#include <QPixmapCache>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace fs = std::filesystem;

namespace tf {
namespace {

// A tile: the picture, the name below it. At full size the picture shows
// its pixels as they are; smaller, it is smoothed.
constexpr int kPictureWidth = 275;
constexpr int kPictureHeight = 116;
constexpr int kTilePadding = 5;
constexpr int kNameGap = 3;

class TileDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setScale(int percent) { m_percent = percent; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        const QSize picture = pictureSize();
        return {std::max(picture.width(), 120) + 2 * kTilePadding,
                picture.height() + kNameGap + option.fontMetrics.height() + 2 * kTilePadding};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        const QRect tile = option.rect.adjusted(1, 1, -1, -1);
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        if (selected)
            painter->fillRect(tile, palette.color(QPalette::Highlight));
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight), 1,
                                 Qt::DotLine));
            painter->drawRect(tile.adjusted(0, 0, -1, -1));
        }
        const QSize size = pictureSize();
        const QRect picture(QPoint(tile.left() + (tile.width() - size.width()) / 2, tile.top() + kTilePadding - 1),
                            size);
        paintPicture(painter, picture, index, palette);
        const QRect name(tile.left() + kTilePadding, picture.bottom() + 1 + kNameGap,
                         tile.width() - 2 * kTilePadding, option.fontMetrics.height());
        painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(name, Qt::AlignHCenter | Qt::AlignVCenter,
                          option.fontMetrics.elidedText(index.data().toString(), Qt::ElideMiddle, name.width()));
        painter->restore();
    }

private:
    QSize pictureSize() const { return QSize(kPictureWidth, kPictureHeight) * m_percent / 100; }

    // The picture at the tile's size, made once per picture and size.
    QPixmap scaled(const QImage& picture) const
    {
        const QString key = QStringLiteral("gallery-%1-%2").arg(picture.cacheKey()).arg(m_percent);
        QPixmap pixmap;
        if (!QPixmapCache::find(key, &pixmap)) {
            pixmap = QPixmap::fromImage(m_percent == 100 ? picture
                                                         : picture.scaled(pictureSize(), Qt::IgnoreAspectRatio,
                                                                          Qt::SmoothTransformation));
            QPixmapCache::insert(key, pixmap);
        }
        return pixmap;
    }

    void paintPicture(QPainter* painter, const QRect& area, const QModelIndex& index, const QPalette& palette) const
    {
        const auto state = GalleryModel::TileState(index.data(GalleryModel::StateRole).toInt());
        const QVariant picture = index.data(Qt::DecorationRole);
        if (picture.isValid()) {
            painter->drawPixmap(area.topLeft(), scaled(picture.value<QImage>()));
            return;
        }
        painter->fillRect(area, palette.color(QPalette::AlternateBase));
        painter->setPen(QPen(palette.color(QPalette::Mid), 1, Qt::DashLine));
        painter->drawRect(area.adjusted(0, 0, -1, -1));
        QString text;
        switch (state) {
        case GalleryModel::TileState::Waiting:
        case GalleryModel::TileState::Picture:
            return; // on its way
        case GalleryModel::TileState::NoSkin:
            text = GalleryPage::tr("スキンなし");
            break;
        case GalleryModel::TileState::Unreadable:
            text = GalleryPage::tr("読めません");
            break;
        }
        QFont font = painter->font();
        font.setPixelSize(m_percent >= 75 ? 16 : 13);
        font.setBold(true);
        painter->setFont(font);
        painter->setPen(palette.color(QPalette::Dark));
        const int lift = m_percent >= 75 ? 14 : 0;
        painter->drawText(area.adjusted(0, -lift, 0, -lift), Qt::AlignCenter, text);
        if (m_percent < 75)
            return; // the reason is in the tooltip
        font.setPixelSize(11);
        font.setBold(false);
        painter->setFont(font);
        painter->drawText(area.adjusted(8, area.height() / 2 + 4, -8, -4), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                          index.data(GalleryModel::ReasonRole).toString());
    }

    int m_percent = 50;
};

bool IsEnter(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

GalleryView::GalleryView(QWidget* parent)
    : QListView(parent)
{
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setLayoutMode(QListView::Batched);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Always there, so that the columns do not change as it comes and goes.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the tiles wrap
    setItemDelegate(new TileDelegate(this));
}

void GalleryView::setPictureScale(int percent)
{
    static_cast<TileDelegate*>(itemDelegate())->setScale(percent);
    fitGrid();
}

void GalleryView::fitGrid()
{
    // As many columns as fit, spread over the whole width.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QSize tile = itemDelegate()->sizeHint(option, QModelIndex());
    const int width = viewport()->width() - 2;
    const int columns = std::max(1, width / (tile.width() + 2));
    setGridSize(QSize(std::max(tile.width(), width / columns), tile.height() + 4));
}

void GalleryView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    fitGrid();
}

void GalleryView::keyPressEvent(QKeyEvent* event)
{
    if (IsEnter(event) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && currentIndex().isValid()) {
        emit openRequested(currentIndex());
        return;
    }
    QListView::keyPressEvent(event);
}

GalleryPage::GalleryPage(std::shared_ptr<PictureCache> cache, QWidget* parent)
    : QWidget(parent)
    , m_model(new GalleryModel(std::move(cache), this))
    , m_filter(new QSortFilterProxyModel(this))
{
    setObjectName(QStringLiteral("GalleryPage"));
    m_filter->setSourceModel(m_model);
    m_filter->setFilterCaseSensitivity(Qt::CaseInsensitive);

    FilterEdit = new QLineEdit(this);
    FilterEdit->setObjectName(QStringLiteral("GalleryFilter"));
    FilterEdit->setPlaceholderText(tr("名前で絞り込み"));
    FilterEdit->setClearButtonEnabled(true);
    CountLabel = new QLabel(this);
    CountLabel->setObjectName(QStringLiteral("GalleryCount"));
    ZoomBox = new QComboBox(this);
    ZoomBox->setObjectName(QStringLiteral("GalleryZoom"));
    ZoomBox->setToolTip(tr("絵の大きさ"));
    for (const int percent : {50, 75, 100})
        ZoomBox->addItem(QStringLiteral("%1 %").arg(percent), percent);
    BatchButton = new QPushButton(tr("選択したスキンを一括変換…"), this);
    BatchButton->setObjectName(QStringLiteral("GalleryBatchButton"));
    FolderLabel = new QLabel(this);
    FolderLabel->setObjectName(QStringLiteral("GalleryFolder"));
    FolderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    View = new GalleryView(this);
    View->setObjectName(QStringLiteral("GalleryView"));
    View->setModel(m_filter);
    EmptyHint = new QLabel(View->viewport());
    EmptyHint->setObjectName(QStringLiteral("GalleryEmptyHint"));
    EmptyHint->setAlignment(Qt::AlignCenter);
    EmptyHint->setWordWrap(true);
    EmptyHint->setStyleSheet(QStringLiteral("color: palette(dark);"));
    EmptyHint->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(FilterEdit, 1);
    top->addWidget(ZoomBox);
    top->addWidget(BatchButton);
    auto* second = new QHBoxLayout;
    second->setContentsMargins(0, 0, 0, 0);
    second->addWidget(FolderLabel, 1);
    second->addWidget(CountLabel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addLayout(second);
    layout->addWidget(View, 1);

    connect(FilterEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        // Rows filtered away move the current item; the user did not.
        m_quiet = true;
        m_filter->setFilterFixedString(text);
        // A current skin filtered away is no one's: the next arrow starts
        // at the first tile and takes the tree along.
        if (!m_current.empty() && m_filter->mapFromSource(m_model->index(m_model->rowOf(m_current), 0)) != View->currentIndex())
            View->selectionModel()->clearCurrentIndex();
        m_quiet = false;
        updateTexts();
    });
    // Enter or the down arrow in the filter goes on to the tiles.
    FilterEdit->installEventFilter(this);
    View->viewport()->installEventFilter(this);
    connect(FilterEdit, &QLineEdit::returnPressed, this, [this] {
        View->setFocus();
        if (!View->currentIndex().isValid() && m_filter->rowCount() > 0)
            View->setCurrentIndex(m_filter->index(0, 0));
    });
    connect(BatchButton, &QPushButton::clicked, this, &GalleryPage::batchRequested);
    connect(ZoomBox, &QComboBox::currentIndexChanged, this, [this] {
        View->setPictureScale(ZoomBox->currentData().toInt());
        if (View->currentIndex().isValid())
            View->scrollTo(View->currentIndex());
    });
    connect(View, &GalleryView::openRequested, this,
            [this](const QModelIndex& index) { emit openRequested(QStringToPath(index.data(GalleryModel::PathRole).toString())); });
    connect(View, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit openRequested(QStringToPath(index.data(GalleryModel::PathRole).toString())); });
    connect(View->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (m_quiet || !current.isValid())
            return;
        m_current = QStringToPath(current.data(GalleryModel::PathRole).toString());
        emit currentSkinChanged(m_current);
    });
    connect(View->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        updateTexts();
        emit selectionChanged();
    });
    connect(m_model, &GalleryModel::listed, this, [this] {
        selectCurrent();
        updateTexts();
    });
    connect(m_filter, &QAbstractItemModel::rowsInserted, this, &GalleryPage::updateTexts);
    connect(m_filter, &QAbstractItemModel::modelReset, this, &GalleryPage::updateTexts);
    updateTexts();
}

void GalleryPage::showFolder(const fs::path& folder, const fs::path& current)
{
    m_current = current;
    if (folder != m_folder) {
        m_folder = folder;
        if (isVisible())
            applyFolder();
        return;
    }
    selectCurrent();
}

void GalleryPage::applyFolder()
{
    if (m_folder.empty() || m_folder == m_model->folder())
        return;
    m_model->setFolder(m_folder);
    FolderLabel->setText(DisplayPath(m_folder));
    FolderLabel->setToolTip(DisplayPath(m_folder));
    updateTexts();
}

void GalleryPage::selectCurrent()
{
    if (m_model->isListing() || m_model->folder() != m_folder)
        return;
    const int row = m_current.empty() ? -1 : m_model->rowOf(m_current);
    const QModelIndex index = m_filter->mapFromSource(m_model->index(row, 0));
    m_quiet = true;
    if (index.isValid()) {
        if (View->currentIndex() != index)
            View->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        View->scrollTo(index);
    } else if (row < 0) {
        View->selectionModel()->clearSelection();
    }
    m_quiet = false;
}

fs::path GalleryPage::currentSkin() const
{
    const QModelIndex current = View->currentIndex();
    return current.isValid() ? QStringToPath(current.data(GalleryModel::PathRole).toString()) : fs::path();
}

std::vector<fs::path> GalleryPage::selectedSkins() const
{
    QModelIndexList selected = View->selectionModel()->selectedIndexes();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<fs::path> skins;
    for (const QModelIndex& index : selected)
        skins.push_back(QStringToPath(index.data(GalleryModel::PathRole).toString()));
    return skins;
}

void GalleryPage::setBatchEnabled(bool enabled)
{
    m_batchEnabled = enabled;
    updateTexts();
}

void GalleryPage::updateTexts()
{
    const int total = m_model->rowCount();
    const int shown = m_filter->rowCount();
    const int selected = int(View->selectionModel()->selectedIndexes().size());
    QString count = shown == total ? tr("%n 個のスキン", nullptr, total) : tr("%1 / %2 個のスキン").arg(shown).arg(total);
    if (selected > 0)
        count += tr("、%n 個を選択", nullptr, selected);
    CountLabel->setText(count);
    BatchButton->setEnabled(m_batchEnabled && selected > 0);
    if (m_model->isListing())
        EmptyHint->setText(tr("フォルダを読んでいます…"));
    else if (m_folder.empty())
        EmptyHint->setText(tr("左のツリーでスキンの入ったフォルダを選んでください"));
    else if (total == 0)
        EmptyHint->setText(tr("このフォルダにはスキン (main.bmp のあるフォルダや .wsz / .zip) がありません"));
    else if (shown == 0)
        EmptyHint->setText(tr("「%1」を名前に含むスキンはありません").arg(FilterEdit->text()));
    EmptyHint->setVisible(shown == 0);
}

void GalleryPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    applyFolder();
}

bool GalleryPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == View->viewport() && event->type() == QEvent::Resize)
        EmptyHint->setGeometry(View->viewport()->rect().adjusted(16, 0, -16, 0));
    if (watched == FilterEdit && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
        emit FilterEdit->returnPressed();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tf

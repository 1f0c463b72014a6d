#include "window/FontDialog.h"

#include "platform/Fonts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <algorithm>

namespace tf {
namespace {

// The sample is drawn as the skin's texts are: the face, or what stands in
// for it.
QFont DisplayFont(const QString& face, int points, bool bold, bool italic)
{
    QFont font(ResolveFace(face));
    font.setPointSize(std::clamp(points, 1, 72));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace

const QStringList& WindowsFaceNames()
{
    static const QStringList faces = {
        QStringLiteral("MS UI Gothic"), QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ Ｐゴシック"),
        QStringLiteral("ＭＳ 明朝"),    QStringLiteral("ＭＳ Ｐ明朝"),   QStringLiteral("メイリオ"),
        QStringLiteral("Meiryo UI"),    QStringLiteral("Yu Gothic UI"),  QStringLiteral("游ゴシック"),
        QStringLiteral("游明朝"),       QStringLiteral("Arial"),         QStringLiteral("Tahoma"),
        QStringLiteral("Verdana"),      QStringLiteral("Times New Roman"), QStringLiteral("Courier New"),
        QStringLiteral("MS Gothic"),    QStringLiteral("MS PGothic"),    QStringLiteral("MS Mincho"),
        QStringLiteral("MS PMincho"),   QStringLiteral("Meiryo"),        QStringLiteral("Yu Gothic"),
        QStringLiteral("Yu Mincho"),    QStringLiteral("Segoe UI"),      QStringLiteral("Georgia"),
        QStringLiteral("Trebuchet MS"), QStringLiteral("Comic Sans MS"), QStringLiteral("Impact"),
        QStringLiteral("Lucida Console"), QStringLiteral("Consolas"),    QStringLiteral("Microsoft Sans Serif"),
    };
    return faces;
}

bool IsWindowsFace(const QString& face)
{
    return WindowsFaceNames().contains(face, Qt::CaseInsensitive);
}

FontPicker::FontPicker(const FontChoice& preset, QWidget* parent)
    : QDialog(parent)
    , m_preset(preset)
    , m_faces(new QListWidget(this))
    , m_size(new QSpinBox(this))
    , m_bold(new QCheckBox(tr("太字"), this))
    , m_italic(new QCheckBox(tr("斜体"), this))
    , m_sample(new QLabel(QStringLiteral("AaBbYyZz あア亜 0123"), this))
    , m_standIn(new QLabel(this))
    , m_warning(new QLabel(this))
{
    setWindowTitle(tr("フォント"));
    setObjectName(QStringLiteral("FontDialog1"));
    QStringList faces = WindowsFaceNames();
    if (!preset.Face.isEmpty() && !faces.contains(preset.Face, Qt::CaseInsensitive))
        faces.prepend(preset.Face);
    for (const QString& family : QFontDatabase::families())
        if (!faces.contains(family, Qt::CaseInsensitive))
            faces << family;
    m_faces->addItems(faces);
    m_size->setRange(1, 999);
    m_size->setValue(std::clamp(preset.Size, 1, 999));
    m_size->setSuffix(QStringLiteral(" pt"));
    m_bold->setChecked(preset.Bold);
    m_italic->setChecked(preset.Italic);
    m_sample->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_sample->setMinimumHeight(48);
    m_sample->setAlignment(Qt::AlignCenter);
    m_warning->setWordWrap(true);
    m_warning->setStyleSheet(QStringLiteral("color: #a00000;"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("フォント名"), this), 0, 0);
    grid->addWidget(new QLabel(tr("サイズ"), this), 0, 1);
    grid->addWidget(m_faces, 1, 0, 3, 1);
    grid->addWidget(m_size, 1, 1);
    grid->addWidget(m_bold, 2, 1);
    grid->addWidget(m_italic, 3, 1, Qt::AlignTop);
    grid->addWidget(m_sample, 4, 0, 1, 2);
    grid->addWidget(m_standIn, 5, 0, 1, 2);
    grid->addWidget(m_warning, 6, 0, 1, 2);
    grid->addWidget(buttons, 7, 0, 1, 2);
    resize(380, 400);

    connect(m_faces, &QListWidget::currentTextChanged, this, [this] { ShowSample(); });
    connect(m_size, &QSpinBox::valueChanged, this, [this] { ShowSample(); });
    connect(m_bold, &QCheckBox::toggled, this, [this] { ShowSample(); });
    connect(m_italic, &QCheckBox::toggled, this, [this] { ShowSample(); });
    selectFace(preset.Face);
    ShowSample();
}

void FontPicker::selectFace(const QString& face)
{
    const QList<QListWidgetItem*> found = m_faces->findItems(face, Qt::MatchFixedString);
    if (found.isEmpty())
        return;
    m_faces->setCurrentItem(found.first());
    m_faces->scrollToItem(found.first(), QAbstractItemView::PositionAtCenter);
}

FontChoice FontPicker::choice() const
{
    FontChoice chosen = m_preset;
    const QString face = m_faces->currentItem() ? m_faces->currentItem()->text() : m_preset.Face;
    // The list matches without regard to case; an unchanged face keeps the
    // preset's spelling.
    if (face.compare(m_preset.Face, Qt::CaseInsensitive) != 0)
        chosen.Face = face;
    chosen.Size = m_size->value();
    chosen.Bold = m_bold->isChecked();
    chosen.Italic = m_italic->isChecked();
    return chosen;
}

void FontPicker::ShowSample()
{
    const FontChoice current = choice();
    const QFont font = DisplayFont(current.Face, current.Size, current.Bold, current.Italic);
    m_sample->setFont(font);
    m_standIn->setText(tr("表示には %1 を使います").arg(QFontInfo(font).family()));
    m_warning->setText(IsWindowsFace(current.Face)
                           ? QString()
                           : tr("%1 は Windows にないフォントです。Korvel で見つからないことがあります")
                                 .arg(current.Face));
}

} // namespace tf

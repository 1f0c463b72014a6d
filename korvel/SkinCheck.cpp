#include "korvel/SkinCheck.h"

#include "korvel/SkinFormat.h"
#include "platform/AsciiCase.h"
#include "platform/Errors.h"
#include "platform/FontSize.h"
#include "platform/ShiftJis.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <map>

namespace fs = std::filesystem;

namespace tf {
namespace {

using ssf::ValueForm;

// A field of the playlist window; the main window's button that opens the
// playlist starts with the same word.
bool IsPlaylistField(std::string_view key)
{
    return StartsWithNoCase(key, ssf::kPlayListText.FontPrefix) && EndsWithNoCase(key, "Field");
}

QString Text(std::string_view cp932) { return DecodeCp932(cp932); }
QString SizeText(int width, int height) { return QStringLiteral("%1 × %2").arg(width).arg(height); }

bool HasForm(const DefinitionLine& line, ValueForm form)
{
    switch (form) {
    case ValueForm::Text:
        return true;
    case ValueForm::Rect:
        return line.rect().has_value();
    case ValueForm::Color:
        return line.color().has_value();
    case ValueForm::Flag:
        return line.flag().has_value();
    case ValueForm::Integer:
        return line.Values.size() == 1 && line.integer(0).has_value();
    case ValueForm::Pair:
        return line.Values.size() == 2 && line.integer(0) && line.integer(1);
    }
    return false;
}

QString FormName(ValueForm form)
{
    switch (form) {
    case ValueForm::Text:
        return {};
    case ValueForm::Rect:
        return QCoreApplication::translate("Check", "矩形 (4 つの整数)");
    case ValueForm::Color:
        return QCoreApplication::translate("Check", "色 (0 から 255 の 3 つの整数)");
    case ValueForm::Flag:
        return QCoreApplication::translate("Check", "0 か 1");
    case ValueForm::Integer:
        return QCoreApplication::translate("Check", "整数");
    case ValueForm::Pair:
        return QCoreApplication::translate("Check", "2 つの整数");
    }
    return {};
}

class SkinChecker {
public:
    SkinChecker(const KorvelDefinition& definition, const ImageLookup& images)
        : m_def(definition), m_images(images)
    {
    }

    std::vector<CheckFinding> run()
    {
        checkValues();
        checkBitmaps();
        checkStrips();
        checkSameSizes();
        checkFields();
        checkTargets();
        std::stable_sort(m_findings.begin(), m_findings.end(),
                         [](const CheckFinding& a, const CheckFinding& b) { return a.Line < b.Line; });
        return std::move(m_findings);
    }

private:
    void add(int line, FindingKind kind, const QString& message, Severity severity = Severity::Problem)
    {
        m_findings.push_back({m_def.path(), line, kind, severity, message});
    }
    const Bitmap* bitmap(std::string_view key);

    void checkValues();
    void checkBitmaps();
    void checkStrips();
    void checkSameSizes();
    void checkFields();
    void checkFieldsAgainst(std::string_view mainKey, bool playlist);
    void checkTargets();

    const KorvelDefinition& m_def;
    const ImageLookup& m_images;
    // Decoded once per key; nothing for a bitmap missing or unreadable.
    std::map<std::string, std::optional<Bitmap>, std::less<>> m_bitmaps;
    std::vector<CheckFinding> m_findings;
};

const Bitmap* SkinChecker::bitmap(std::string_view key)
{
    const auto found = m_bitmaps.find(key);
    return found != m_bitmaps.end() && found->second ? &*found->second : nullptr;
}

void SkinChecker::checkValues()
{
    for (const DefinitionLine& line : m_def.lines()) {
        const auto form = ssf::FormOf(line.Key);
        if (form && !HasForm(line, *form))
            add(line.Number, FindingKind::BadValue,
                QCoreApplication::translate("Check", "%1 の値 \"%2\" は%3ではありません")
                    .arg(Text(line.Key), Text(line.Text), FormName(*form)));
        else if (EndsWithNoCase(line.Key, ssf::kFontSize) && !IsDrawableFontSize(line.integer().value_or(0)))
            add(line.Number, FindingKind::BadValue,
                QCoreApplication::translate("Check", "%1 %2 は大きすぎます。描ける大きさは %3 ポイントまでです")
                    .arg(Text(line.Key))
                    .arg(*line.integer())
                    .arg(kMaxFontPoints));
    }
    if (!m_def.find(ssf::kMainBitmap))
        add(0, FindingKind::BadValue,
            QCoreApplication::translate("Check", "%1 の行がありません").arg(Text(ssf::kMainBitmap)));
}

void SkinChecker::checkBitmaps()
{
    for (const std::string_view key : ssf::BitmapKeys()) {
        const DefinitionLine* line = m_def.find(key);
        if (!line)
            continue;
        std::optional<Bitmap> image;
        try {
            image = line->Text.empty() ? std::nullopt : m_images(line->Text);
            if (!image)
                add(line->Number, FindingKind::MissingBitmap,
                    QCoreApplication::translate("Check", "%1 の %2 がありません").arg(Text(key), Text(line->Text)));
        } catch (const AppError& failure) {
            // The finding names the key and the file already: of the error
            // only what went wrong, never its own sentence about the file.
            add(line->Number, FindingKind::UnreadableBitmap,
                failure.reason().isEmpty()
                    ? QCoreApplication::translate("Check", "%1 の %2 を読めません").arg(Text(key), Text(line->Text))
                    : QCoreApplication::translate("Check", "%1 の %2 を読めません: %3")
                          .arg(Text(key), Text(line->Text), failure.reason()));
        }
        m_bitmaps.emplace(std::string(key), std::move(image));
    }
}

void SkinChecker::checkStrips()
{
    for (const ssf::Strip* strip : ssf::kStrips) {
        const ssf::Strip& rule = *strip;
        const DefinitionLine* line = m_def.find(rule.BitmapKey);
        const Bitmap* image = bitmap(rule.BitmapKey);
        const auto width = m_def.integer(rule.SizeKey, 0), height = m_def.integer(rule.SizeKey, 1);
        if (!line || !image || !width || !height)
            continue;
        const int64_t wantedWidth = int64_t(*width) * rule.Frames;
        if (image->width() != wantedWidth || image->height() != *height)
            add(line->Number, FindingKind::BitmapSize,
                QCoreApplication::translate("Check", "%1 は %2 ですが、%3 %4 %5 の %6 コマなら %7 です")
                    .arg(Text(line->Text), SizeText(image->width(), image->height()), Text(rule.SizeKey))
                    .arg(*width)
                    .arg(*height)
                    .arg(rule.Frames)
                    .arg(QStringLiteral("%1 × %2").arg(wantedWidth).arg(*height)));
    }
}

void SkinChecker::checkSameSizes()
{
    for (const ssf::SameSizeRule& rule : ssf::kSameSizeRules) {
        const DefinitionLine* line = m_def.find(rule.BitmapKey);
        const Bitmap* image = bitmap(rule.BitmapKey);
        const Bitmap* main = bitmap(rule.MainKey);
        if (!line || !image || !main)
            continue;
        if (image->width() != main->width() || image->height() != main->height())
            add(line->Number, FindingKind::BitmapSize,
                QCoreApplication::translate("Check", "%1 は %2 ですが、%3 の %4 と同じ大きさでなければなりません")
                    .arg(Text(line->Text), SizeText(image->width(), image->height()),
                         Text(m_def.text(rule.MainKey).value_or(std::string())),
                         SizeText(main->width(), main->height())));
    }
}

// Fields of the playlist window are in its bitmap, all others in the main one.
void SkinChecker::checkFieldsAgainst(std::string_view mainKey, bool playlist)
{
    const Bitmap* main = bitmap(mainKey);
    if (!main)
        return;
    const Rect whole{0, 0, main->width(), main->height()};
    for (const DefinitionLine& line : m_def.lines()) {
        if (ssf::FormOf(line.Key) != ValueForm::Rect || IsPlaylistField(line.Key) != playlist)
            continue;
        const auto field = line.rect();
        if (!field || field->isEmpty() || (field->left >= whole.left && field->top >= whole.top
                                           && field->right <= whole.right && field->bottom <= whole.bottom))
            continue;
        add(line.Number, FindingKind::FieldOutside,
            QCoreApplication::translate("Check", "%1 %2 %3 %4 %5 が %6 (%7) の外にはみ出しています")
                .arg(Text(line.Key))
                .arg(field->left)
                .arg(field->top)
                .arg(field->right)
                .arg(field->bottom)
                .arg(Text(m_def.text(mainKey).value_or(std::string())), SizeText(main->width(), main->height())));
    }
}

void SkinChecker::checkFields()
{
    checkFieldsAgainst(ssf::kMainBitmap, false);
    checkFieldsAgainst(ssf::kPlayListMainBitmap, true);
    for (const DefinitionLine& line : m_def.lines())
        if (ssf::FormOf(line.Key) == ValueForm::Rect && line.rect() && line.rect()->isEmpty())
            add(line.Number, FindingKind::FieldOutside,
                QCoreApplication::translate("Check", "%1 の矩形 \"%2\" は空です").arg(Text(line.Key), Text(line.Text)));
}

void SkinChecker::checkTargets()
{
    const auto targets = m_def.findAll(ssf::kSetTargetSsf);
    if (!m_def.path().empty()) {
        for (const DefinitionLine* target : targets) {
            if (m_def.findBeside(target->Text))
                continue;
            if (EqualsNoCase(target->Text, ssf::kSmallModeDefinition))
                add(target->Number, FindingKind::MissingTarget,
                    QCoreApplication::translate("Check", "%1 はありません。プレーヤーの小さい表示のスキンで、変換では書き出しません")
                        .arg(Text(target->Text)),
                    Severity::Note);
            else
                add(target->Number, FindingKind::MissingTarget,
                    QCoreApplication::translate("Check", "%1 の %2 がありません")
                        .arg(Text(ssf::kSetTargetSsf), Text(target->Text)));
        }
    }
    for (const DefinitionLine* button : m_def.findAll(ssf::kChangeSkinButton)) {
        const auto number = button->Values.size() >= 6 ? button->integer(button->Values.size() - 1) : std::nullopt;
        if (!number || *number < 0 || size_t(*number) >= targets.size())
            add(button->Number, FindingKind::MissingTarget,
                QCoreApplication::translate("Check", "%1 の切り替え先 \"%2\" に当たる %3 の行がありません")
                    .arg(Text(ssf::kChangeSkinButton), Text(button->Values.empty() ? std::string() : button->Values.back()),
                         Text(ssf::kSetTargetSsf)));
    }
}

} // namespace

QString CheckFinding::toString() const
{
    QString where = DisplayPath(File);
    if (Line > 0)
        where += QStringLiteral(":%1").arg(Line);
    if (Severity == Severity::Note)
        where += QCoreApplication::translate("Check", ": 注意");
    return where + QStringLiteral(": ") + Message;
}

std::vector<CheckFinding> CheckKorvelDefinition(const KorvelDefinition& definition, const ImageLookup& images)
{
    return SkinChecker(definition, images).run();
}

std::vector<CheckFinding> CheckKorvelSkin(const fs::path& ssfPath)
{
    return CheckKorvelDefinition(KorvelDefinition::Load(ssfPath), ImagesBesideFile(ssfPath));
}

bool HasProblems(const std::vector<CheckFinding>& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const CheckFinding& finding) { return finding.Severity == Severity::Problem; });
}

} // namespace tf

#include "WindowFixture.h"

#include <QTest>
#include "support/ScriptedPrompts.h"

#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "platform/TextFile.h"
#include "session/Language.h"
#include "support/SkinFixture.h"
#include "support/ZipWriter.h"
#include "window/DisplayControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace fs = std::filesystem;

namespace tf::test {
namespace {

template <typename T>
std::optional<T> Next(std::deque<std::optional<T>>& answers)
{
    if (answers.empty())
        return std::nullopt;
    const bool given = answers.front().has_value();
    T value = given ? *answers.front() : T{};
    answers.pop_front();
    return given ? std::optional<T>(std::move(value)) : std::nullopt;
}

} // namespace

std::optional<QString> ScriptedDialogs::chooseFolder(QWidget*, const QString& title, const QString& root)
{
    calls.push_back({QStringLiteral("folder"), title, root, {}, {}, {}});
    return Next(folders);
}

std::optional<QString> ScriptedDialogs::chooseOpenFile(QWidget*, const QString& title,
                                                       const QString& initialName,
                                                       const QStringList& filters)
{
    calls.push_back({QStringLiteral("open"), title, initialName, filters, {}, {}});
    return Next(openFiles);
}

std::optional<QString> ScriptedDialogs::chooseSaveFile(QWidget*, const QString& initialName,
                                                       const QString& defaultSuffix, const QStringList& filters)
{
    calls.push_back({QStringLiteral("save"), defaultSuffix, initialName, filters, {}, {}});
    return Next(saveFiles);
}

std::optional<FontChoice> ScriptedDialogs::chooseFont(QWidget*, const FontChoice& preset)
{
    calls.push_back({QStringLiteral("font"), {}, {}, {}, preset, {}});
    return Next(fonts);
}

std::optional<QColor> ScriptedDialogs::chooseColor(QWidget*, const QColor& preset)
{
    calls.push_back({QStringLiteral("color"), {}, {}, {}, {}, preset});
    return Next(colors);
}

bool ScriptedDialogs::askOkCancel(QWidget*, const QString& caption, const QString& text)
{
    calls.push_back({QStringLiteral("question"), caption, text, {}, {}, {}});
    if (questions.empty())
        return false;
    const bool ok = questions.front();
    questions.pop_front();
    return ok;
}

std::optional<BatchSettings> ScriptedDialogs::chooseBatchSettings(QWidget*, int skinCount,
                                                                  const BatchSettings& preset)
{
    calls.push_back({QStringLiteral("batch"), QString::number(skinCount), preset.OutputFolder, {}, {}, {}});
    return Next(batchSettings);
}

WindowFixture::WindowFixture()
{
    const fs::path exeFolder = m_root.path() / "bin";
    fs::create_directories(exeFolder);
    for (const char* name : {"loadbtns1.dat", "loadbtns2.dat", "btnspos.dat", "eqpos.dat", "pan.dat"})
        fs::copy_file(BinFolder() / name, exeFolder / name);
    Files = WindowFiles{exeFolder / "tessaform", exeFolder / "tessaform.ini", exeFolder / "tmp",
                        m_root.path() / "picture-cache"};
}

WindowFixture::~WindowFixture() { close(); }

TForm1& WindowFixture::open()
{
    m_form = std::make_unique<TForm1>(Files, Prompts, Dialogs);
    return *m_form;
}

TForm1* WindowFixture::openShown()
{
    TForm1& form = open();
    form.show();
    return QTest::qWaitForWindowExposed(&form) ? &form : nullptr;
}

void WindowFixture::close() { m_form.reset(); }

bool StartShown(std::unique_ptr<WindowFixture>& fixture, TForm1*& form)
{
    fixture = std::make_unique<WindowFixture>();
    form = fixture->openShown();
    return form != nullptr;
}

fs::path WindowFixture::writeSkin(const std::string& name)
{
    const fs::path folder = m_root.path() / "skins" / PathFromString(name);
    fs::create_directories(folder);
    SkinFixture(folder).writeStandard();
    return folder;
}

fs::path WindowFixture::writeSkinArchive(const std::string& archiveName, const std::string& folderInArchive,
                                         const std::function<void(SkinFixture&)>& change)
{
    const fs::path source = writeSkin("packed-" + archiveName);
    if (change) {
        SkinFixture skin(source);
        change(skin);
    }
    const fs::path archive = m_root.path() / "skins" / PathFromString(archiveName);
    ZipWriter zip(archive);
    for (const fs::directory_entry& entry : ListFolderSorted(source)) {
        const std::string member = (folderInArchive.empty() ? "" : folderInArchive + "/")
            + entry.path().filename().string();
        zip.addFile(member, ReadFileBytes(entry.path()));
    }
    zip.close();
    fs::remove_all(source);
    return archive;
}

namespace {

// The least width that shows a control's caption whole.
int CaptionNeeds(const QWidget* control)
{
    const QStyle* style = control->style();
    const int text = control->fontMetrics().horizontalAdvance(control->property("text").toString());
    if (qobject_cast<const QCheckBox*>(control))
        return style->pixelMetric(QStyle::PM_IndicatorWidth) + text;
    if (qobject_cast<const QRadioButton*>(control))
        return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) + text;
    if (qobject_cast<const QLabel*>(control) || qobject_cast<const QPushButton*>(control))
        return text;
    return 0;
}

} // namespace

void CheckControlsFit(TForm1& form)
{
    for (QGroupBox* box : form.clientArea()->findChildren<QGroupBox*>()) {
        const QList<QWidget*> controls = box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (int i = 0; i < controls.size(); ++i) {
            const QRect a = controls[i]->geometry();
            const QString where = box->title() + " / " + controls[i]->objectName() + " "
                + controls[i]->property("text").toString();
            QVERIFY2(box->rect().adjusted(1, 1, -1, -1).contains(a), qPrintable(where));
            QVERIFY2(a.width() >= CaptionNeeds(controls[i]), qPrintable(where + " is cut"));
            for (int j = i + 1; j < controls.size(); ++j)
                QVERIFY2(!a.intersects(controls[j]->geometry()),
                         qPrintable(where + " / " + controls[j]->objectName()));
        }
    }
}

void PaintDigits(SkinFixture& skin, QColor color)
{
    QImage digits(99, 13, QImage::Format_RGB32);
    digits.fill(color);
    skin.writeBitmap("numbers.bmp", digits).writeBitmap("nums_ex.bmp", digits);
}

QString ShownMessages(const ScriptedPrompts& prompts)
{
    QStringList lines;
    for (const auto& shown : prompts.shown())
        lines << shown.Caption + QStringLiteral(": ") + shown.Text;
    return lines.join(u'\n');
}

int RunWindowTest(int argc, char** argv, QObject& test)
{
    qputenv("LANG", "C.UTF-8");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaform-window-tests"));
    InstallTranslations(application, UiLanguage::Japanese);
    InstallFontSubstitutions();
    QApplication::setFont(DesignFont());
    return QTest::qExec(&test, argc, argv);
}

} // namespace tf::test

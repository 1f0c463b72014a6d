// One resolver of Windows faces for every drawing of skin text: the
// window's Korvel view and the converter's preview of the saved skin, two
// processes with other fonts of their own, draw every face the font dialog
// offers alike, pixel for pixel.

#include "WindowFixture.h"

#include "output/SaveSkin.h"
#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "platform/ShiftJis.h"
#include "session/LiveKorvelView.h"
#include "window/FontDialog.h"

#include <QLabel>
#include <QListWidget>
#include <QProcess>

namespace fs = std::filesystem;

namespace tf::test {

class FaceResolverTest : public QObject {
    Q_OBJECT
private slots:
    // A stand-in under either of its names: a Japanese locale lists the IPA
    // faces by their Japanese ones.
    void windowsFacesDrawWithTheirStandIns_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QStringList>("drawnWith");
        QTest::newRow("Mincho") << "ＭＳ 明朝" << QStringList{"IPAMincho", "IPA明朝"};
        QTest::newRow("English name, any case") << "ms pmincho" << QStringList{"IPAPMincho", "IPA P明朝"};
        QTest::newRow("UI Gothic") << "MS UI Gothic" << QStringList{"IPAPGothic", "IPA Pゴシック"};
        QTest::newRow("Meiryo") << "メイリオ" << QStringList{"IPAexGothic", "IPAexゴシック"};
        QTest::newRow("Arial") << "Arial" << QStringList{"Liberation Sans"};
        QTest::newRow("installed as named") << "DejaVu Serif" << QStringList{"DejaVu Serif"};
        QTest::newRow("nowhere: the interface face") << "A face of the skin's own"
                                                     << QStringList{"IPAPGothic", "IPA Pゴシック"};
    }
    void windowsFacesDrawWithTheirStandIns()
    {
        QFETCH(QString, face);
        QFETCH(QStringList, drawnWith);
        const QString resolved = ResolveFace(face);
        QVERIFY2(drawnWith.contains(resolved), qPrintable(resolved));
        QCOMPARE(QFontInfo(MakeFont(face, 9)).family(), resolved);
        const FontPicker dialog(FontChoice{face, 9, false, false, Qt::black});
        QCOMPARE(dialog.standInLabel()->text(), QStringLiteral("表示には %1 を使います").arg(resolved));
    }

    void viewEqualsThePreviewOfTheSavedSkinForEveryFace()
    {
        WindowFixture fixture;
        TForm1& form = fixture.open();
        form.OpenDropped(PathToQString(fixture.writeSkin("faces")));
        QVERIFY(fixture.app().SkinLoaded);
        SkinSession& session = fixture.session();

        const FontPicker dialog(FontChoice{QStringLiteral("MS UI Gothic"), 9, false, false, Qt::black});
        QStringList faces;
        for (int row = 0; row < dialog.faceList()->count(); ++row)
            if (IsCp932Representable(dialog.faceList()->item(row)->text()))
                faces << dialog.faceList()->item(row)->text();
        QVERIFY(faces.contains(QStringLiteral("ＭＳ 明朝")));

        std::vector<QImage> views;
        std::vector<fs::path> skins;
        for (int i = 0; i < faces.size(); ++i) {
            const std::string name = EncodeCp932(faces[i]);
            session.State.PlaylistFont() = {name, 11, false, false, false};
            session.State.ScrollTextFont() = {name, 9, true, false, true};
            skins.push_back(fixture.root() / "out" / std::to_string(i) / "skin.ssf");
            fs::create_directories(skins.back().parent_path());
            SaveSkin(session, skins.back());
            views.push_back(LiveKorvelView().render(session).image);
        }

        // The converter, a few at a time.
        const QString converter = PathToQString(BinFolder() / "tessaform-cli");
        constexpr int kAtOnce = 4;
        for (int first = 0; first < faces.size(); first += kAtOnce) {
            std::vector<std::unique_ptr<QProcess>> running;
            for (int i = first; i < std::min<int>(first + kAtOnce, faces.size()); ++i) {
                running.push_back(std::make_unique<QProcess>());
                const fs::path& skin = skins[size_t(i)];
                running.back()->start(converter, QStringList{QStringLiteral("preview"), PathToQString(skin),
                                                             QStringLiteral("--eq"), QStringLiteral("-o"),
                                                             PathToQString(skin.parent_path() / "view.png")});
            }
            for (const auto& process : running)
                QVERIFY2(process->waitForFinished(60000) && process->exitCode() == 0,
                         process->readAllStandardError().constData());
        }
        QStringList differing;
        for (int i = 0; i < faces.size(); ++i) {
            const QImage preview(PathToQString(skins[size_t(i)].parent_path() / "view.png"));
            if (preview.convertToFormat(QImage::Format_RGB32) != views[size_t(i)].convertToFormat(QImage::Format_RGB32))
                differing << faces[i];
        }
        QVERIFY2(differing.isEmpty(), qPrintable(differing.join(QStringLiteral(", "))));
    }
};

} // namespace tf::test

TF_WINDOW_TEST_MAIN(tf::test::FaceResolverTest)
#include "FaceResolverTest.moc"

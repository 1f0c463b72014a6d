// The gallery beside the tree and the batch conversion in the window: the
// tree and the gallery in step, opening from the gallery, the filter and
// the selection, a batch with its results, and skins dropped together.

#include "WindowFixture.h"

#include "gallery/BatchConversion.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "support/ZipWriter.h"
#include "window/BatchDialogs.h"
#include "window/GalleryPage.h"
#include "window/SkinTreeView.h"

#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QTreeWidget>

namespace fs = std::filesystem;

namespace tf::test {
namespace {

class GalleryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> m_fixture;
    TForm1* m_form = nullptr;
    fs::path m_skins;

    // skins/: two archives, a skin folder and an archive without a skin.
    void writeCollection()
    {
        m_fixture->writeSkinArchive("Alpha.wsz");
        m_fixture->writeSkinArchive("Beta.wsz", "inner");
        m_fixture->writeSkin("Gamma");
        m_skins = m_fixture->root() / "skins";
        ZipWriter(m_skins / "Readme.zip").addFile("readme.txt", "not a skin");
    }

    GalleryPage& gallery() { return *m_form->Gallery; }

    void showGalleryOf(const fs::path& item)
    {
        QVERIFY(m_form->ShellTreeView1->setPath(PathToQString(item)));
        m_form->ShowGallery(true);
        QTRY_VERIFY(gallery().model()->folder() == m_skins && !gallery().model()->isListing());
        QTRY_COMPARE(gallery().model()->resolvedCount(), gallery().model()->rowCount());
    }

    void waitForBatch()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!m_form->batch().isRunning() && m_form->batchDialog()
                                     && m_form->batchDialog()->Results->isVisible(),
                                 120000);
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<WindowFixture>();
        writeCollection();
        m_form = m_fixture->openShown();
        QVERIFY(m_form);
    }
    void cleanup() { m_fixture.reset(); }

    void treeAndGalleryStayInStep()
    {
        showGalleryOf(m_skins / "Beta.wsz");
        QStringList names;
        for (int row = 0; row < gallery().model()->rowCount(); ++row)
            names << gallery().model()->index(row).data().toString();
        QCOMPARE(names, (QStringList{"Gamma", "Alpha.wsz", "Beta.wsz", "Readme.zip"}));
        QCOMPARE(gallery().currentSkin(), m_skins / "Beta.wsz");
        QCOMPARE(gallery().model()->stateAt(3), GalleryModel::TileState::NoSkin);

        // An arrow in the gallery moves the tree; a click in the tree moves
        // the gallery.
        gallery().View->setFocus();
        QTest::keyClick(gallery().View, Qt::Key_Right);
        QCOMPARE(gallery().currentSkin(), m_skins / "Readme.zip");
        QCOMPARE(m_form->ShellTreeView1->path(), PathToQString(m_skins / "Readme.zip"));
        QVERIFY(m_form->ShellTreeView1->setPath(PathToQString(m_skins / "Gamma")));
        QCOMPARE(gallery().currentSkin(), m_skins / "Gamma");
        QVERIFY(!m_fixture->app().SkinLoaded); // selecting opens nothing

        // The tree on a folder that is no skin: the gallery shows it.
        QVERIFY(m_form->ShellTreeView1->setPath(PathToQString(m_fixture->root())));
        QTRY_VERIFY(gallery().model()->folder() == m_fixture->root() && !gallery().model()->isListing());
        QCOMPARE(gallery().model()->rowCount(), 0);
        QVERIFY(gallery().EmptyHint->isVisible());
    }

    void enterOrDoubleClickOpensTheSkinInThePreview()
    {
        showGalleryOf(m_skins / "Alpha.wsz");
        gallery().View->setFocus();
        QTest::keyClick(gallery().View, Qt::Key_Return);
        QVERIFY(m_fixture->app().SkinLoaded);
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Tessaform Convertor 1.0 β6 -Alpha.wsz-"));
        QVERIFY(!m_form->galleryShown());

        // A skin folder by a double click.
        m_form->ShowGallery(true);
        const QModelIndex gamma = gallery().filterModel()->index(0, 0);
        QTRY_VERIFY(gallery().View->viewport()->rect().contains(gallery().View->visualRect(gamma)));
        const QPoint at = gallery().View->visualRect(gamma).center();
        QTest::mouseClick(gallery().View->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(gallery().View->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Tessaform Convertor 1.0 β6 -Gamma-"));
        QVERIFY(!m_form->galleryShown());
        QVERIFY(m_fixture->Prompts.shown().empty());
    }

    void filterNarrowsAndSelectAllTakesWhatIsShown()
    {
        showGalleryOf(m_skins / "Alpha.wsz");
        QTest::keyClicks(gallery().FilterEdit, QStringLiteral("WSZ"));
        QCOMPARE(gallery().filterModel()->rowCount(), 2);
        QTest::keyClick(gallery().FilterEdit, Qt::Key_Down); // on to the tiles
        QTest::keyClick(gallery().View, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(gallery().selectedSkins(), (std::vector<fs::path>{m_skins / "Alpha.wsz", m_skins / "Beta.wsz"}));
        QVERIFY(m_form->BatchAction->isEnabled());
        QVERIFY(gallery().CountLabel->text().contains(QStringLiteral("2 / 4")));
    }

    // The selection converts with the settings chosen; the list says what
    // became of each skin and opens each; it is saved as text.
    void batchConvertsTheSelectionAndListsEverySkin()
    {
        showGalleryOf(m_skins / "Alpha.wsz");
        gallery().View->selectAll();
        const fs::path out = m_fixture->root() / "out";
        BatchSettings settings{PathToQString(out), {}};
        settings.Options.HideTime = true;
        m_fixture->Dialogs.batchSettings.push_back(settings);
        m_form->BatchAction->trigger();
        QCOMPARE(m_fixture->Dialogs.calls.back().Title, QStringLiteral("4"));
        // Not twice: the results come in through the window's events.
        QVERIFY(m_form->batch().isRunning());
        QVERIFY(!m_form->BatchAction->isEnabled());
        const size_t calls = m_fixture->Dialogs.calls.size();
        m_form->StartBatch({m_skins / "Alpha.wsz"});
        QCOMPARE(m_fixture->Dialogs.calls.size(), calls);
        waitForBatch();

        BatchProgressDialog& dialog = *m_form->batchDialog();
        QCOMPARE(dialog.Results->topLevelItemCount(), 4);
        QCOMPARE(dialog.Results->topLevelItem(3)->text(1), QStringLiteral("失敗"));
        QVERIFY(fs::exists(out / "Alpha" / "Alpha.ssf"));
        QVERIFY(!fs::exists(out / "Alpha" / "Numbers.bmp")); // the time display left out
        QVERIFY(!fs::exists(out / "Readme"));
        QVERIFY(m_form->BatchAction->isEnabled());

        QList<QUrl> opened;
        dialog.setUrlOpener([&](const QUrl& url) { opened << url; });
        dialog.openLine(3);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(PathToQString(m_skins))});
        dialog.openLine(0);
        QTRY_VERIFY(dialog.findChild<KorvelViewDialog*>() && dialog.findChild<KorvelViewDialog*>()->isVisible());

        m_fixture->Dialogs.saveFiles.push_back(PathToQString(m_fixture->root() / "list.txt"));
        dialog.SaveButton->click();
        const QString saved = QString::fromStdString(ReadFileBytes(m_fixture->root() / "list.txt"));
        QVERIFY(saved.contains(QStringLiteral("失敗: Readme")));
        QVERIFY(saved.contains(DisplayPath(out / "Gamma" / "Gamma.ssf")));

        // The folder is offered again, also after a restart.
        m_fixture->close();
        m_form = m_fixture->openShown();
        QVERIFY(m_form->galleryShown());
        m_fixture->Dialogs.batchSettings.push_back(std::nullopt);
        m_form->StartBatch({m_skins / "Alpha.wsz"});
        QCOMPARE(m_fixture->Dialogs.calls.back().Initial, PathToQString(out));
    }

    void skinsDroppedTogetherAreConvertedTogether()
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(PathToQString(m_skins / "Alpha.wsz")),
                      QUrl::fromLocalFile(PathToQString(m_skins / "Gamma"))});
        const QPoint at(400, 200);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_form, &enter);
        QVERIFY(enter.isAccepted());
        m_fixture->Dialogs.batchSettings.push_back(BatchSettings{PathToQString(m_fixture->root() / "dropped"), {}});
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_form, &drop);
        QTRY_VERIFY(!m_fixture->Dialogs.calls.empty() && m_fixture->Dialogs.calls.back().Kind == "batch");
        QCOMPARE(m_fixture->Dialogs.calls.back().Title, QStringLiteral("2"));
        waitForBatch();
        QVERIFY(fs::exists(m_fixture->root() / "dropped" / "Gamma" / "Gamma.ssf"));
        QVERIFY(!m_fixture->app().SkinLoaded); // nothing opened in the editor
    }
};

} // namespace
} // namespace tf::test

TF_WINDOW_TEST_MAIN(tf::test::GalleryTest)
#include "GalleryTest.moc"

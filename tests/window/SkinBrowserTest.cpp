// The skin browser: its filter, the click, expand and collapse rules, the
// archive dialog and dropped skins.

#include "WindowFixture.h"

#include "platform/FileSystem.h"
#include "support/ZipWriter.h"
#include "window/SkinTreeView.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QFileSystemModel>
#include <QScrollBar>
#include <QMimeData>
#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace tf::test {
namespace {

const QString kCaption = QStringLiteral("Tessaform Convertor 1.0 β6");
const QString kNoSkinFolder = QStringLiteral("スキンのフォルダではありません (main.bmp がありません)");

// Where a click hits the item: the start of its name (the name column can
// be wider than the tree).
QPoint CenterOf(SkinTreeView& tree, const QModelIndex& index)
{
    const QRect item = tree.visualRect(index);
    return {std::min(item.center().x(), item.left() + 12), item.center().y()};
}

// The item of path, with its parent's listing loaded and the item on screen.
// The view lays new rows out later; scroll once they are there.
void EnsureVisible(SkinTreeView& tree, const QModelIndex& index)
{
    const bool shown = QTest::qWaitFor([&] {
        tree.scrollTo(index);
        const QRect item = tree.visualRect(index);
        return tree.viewport()->rect().contains(QRect(item.topLeft(), QSize(24, item.height())));
    });
    if (!shown)
        qWarning() << "item not on screen:" << tree.pathOf(index);
}

// Proxy indexes go stale when the listing comes in: keep persistent ones.
QPersistentModelIndex ShowItem(SkinTreeView& tree, const fs::path& path)
{
    const QString folder = PathToQString(path.parent_path());
    tree.setPath(folder);
    tree.expandItem(tree.indexOfPath(folder));
    const QString wanted = PathToQString(path);
    QPersistentModelIndex found;
    const bool listed = QTest::qWaitFor([&] {
        const QModelIndex parent = tree.indexOfPath(folder);
        for (int row = 0; row < tree.model()->rowCount(parent); ++row)
            if (tree.pathOf(tree.model()->index(row, 0, parent)) == wanted)
                found = tree.model()->index(row, 0, parent);
        return found.isValid();
    });
    if (!listed)
        qWarning() << "not listed in the tree:" << wanted;
    EnsureVisible(tree, found);
    return found;
}

// The expand button sits in the indentation left of the item.
QPoint ButtonOf(SkinTreeView& tree, const QModelIndex& index)
{
    const QRect item = tree.visualRect(index);
    return {item.left() - tree.indentation() / 2, item.center().y()};
}

void Touch(const fs::path& path)
{
    std::ofstream(path) << "x";
}

} // namespace

class SkinBrowserTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(StartShown(m_fixture, m_form)); }
    void cleanup() { m_fixture.reset(); }

    void listsFoldersAndSkinArchivesOnly()
    {
        const fs::path folder = m_fixture->root() / "listing";
        fs::create_directories(folder / "skin");
        for (const char* name : {"a.WSZ", "b.zip", "c.Zip", "notes.txt", "main.bmp", "wsz"})
            Touch(folder / name);
        SkinTreeView& tree = *m_form->ShellTreeView1;
        ShowItem(tree, folder / "skin");
        const QPersistentModelIndex parent = tree.indexOfPath(PathToQString(folder));
        QTRY_COMPARE(tree.model()->rowCount(parent), 4);
        QStringList shown;
        for (int row = 0; row < 4; ++row)
            shown << tree.displayTextOf(tree.model()->index(row, 0, parent));
        shown.sort();
        QCOMPARE(shown, (QStringList{"a.WSZ", "b.zip", "c.Zip", "skin"}));
    }

    void clickOnSkinFolderLoadsExpandsAndSetsCaption()
    {
        const fs::path skin = m_fixture->writeSkin("Blue Skin");
        fs::create_directory(skin / "extras");
        SkinTreeView& tree = *m_form->ShellTreeView1;
        const QPersistentModelIndex item = ShowItem(tree, skin);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, CenterOf(tree, item));
        QVERIFY2(m_fixture->app().SkinLoaded, qPrintable(ShownMessages(m_fixture->Prompts)));
        QCOMPARE(m_form->windowTitle(), kCaption + " -Blue Skin-");
        QVERIFY(tree.isExpanded(item));
        QVERIFY(m_form->S1->isEnabled());
        QCOMPARE(m_fixture->app().FolderDialogRoot, PathToQString(skin));

        // The click on the collapse button collapses, and its click event
        // reloads the selected skin without opening the item again.
        m_fixture->session().State.ShowTime = false;
        QTRY_VERIFY(tree.model()->rowCount(item) == 1);
        EnsureVisible(tree, item);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, ButtonOf(tree, item));
        QVERIFY(!tree.isExpanded(item));
        QVERIFY(!m_form->treeCollapsing());
        QVERIFY(m_fixture->session().State.ShowTime); // reloaded: the load resets the flags
    }

    void expandButtonSelectsAndLoadsTheSkin()
    {
        const fs::path skin = m_fixture->writeSkin("Green");
        fs::create_directory(skin / "extras");
        const fs::path other = m_fixture->root() / "skins" / "plain";
        fs::create_directories(other);
        SkinTreeView& tree = *m_form->ShellTreeView1;
        const QPersistentModelIndex item = ShowItem(tree, skin);
        tree.selectItem(tree.indexOfPath(PathToQString(other)));
        EnsureVisible(tree, item);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, ButtonOf(tree, item));
        QCOMPARE(tree.path(), PathToQString(skin));
        QVERIFY(tree.isExpanded(item));
        QCOMPARE(m_form->windowTitle(), kCaption + " -Green-");
    }

    void clickOnFolderWithoutSkinDoesNothing()
    {
        const fs::path plain = m_fixture->root() / "skins" / "plain";
        fs::create_directories(plain / "sub");
        SkinTreeView& tree = *m_form->ShellTreeView1;
        const QPersistentModelIndex item = ShowItem(tree, plain);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, CenterOf(tree, item));
        QCOMPARE(m_form->windowTitle(), kCaption);
        QVERIFY(!m_fixture->app().SkinLoaded);
        QVERIFY(!tree.isExpanded(item));
        QVERIFY(m_fixture->Prompts.shown().empty());

        // Enter browses into it, as in any file tree; 開く and a drop say
        // what is wrong.
        QTest::keyClick(&tree, Qt::Key_Return);
        QVERIFY(tree.isExpanded(item));
        QVERIFY(m_fixture->Prompts.shown().empty());
        m_fixture->Dialogs.folders.push_back(PathToQString(plain));
        m_form->O1Click();
        m_form->OpenDropped(PathToQString(plain));
        QCOMPARE(m_fixture->Prompts.shown().size(), size_t(2));
        for (const auto& shown : m_fixture->Prompts.shown()) {
            QCOMPARE(shown.Icon, MessageIcon::Information);
            QCOMPARE(shown.Text, kNoSkinFolder);
        }
        QCOMPARE(m_form->windowTitle(), kCaption);
    }

    void enterLoadsTheSelectedSkinAndF5ListsAnew()
    {
        const fs::path skin = m_fixture->writeSkin("A skin with a rather long name that the tree cannot show");
        SkinTreeView& tree = *m_form->ShellTreeView1;
        const QPersistentModelIndex item = ShowItem(tree, skin);
        QCOMPARE(item.data(Qt::ToolTipRole).toString(), tree.displayTextOf(item));
        QTRY_VERIFY(tree.horizontalScrollBar()->maximum() > 0); // the long name can be scrolled to
        tree.selectItem(item);
        QTest::keyClick(&tree, Qt::Key_Space);
        QVERIFY2(m_fixture->app().SkinLoaded, qPrintable(ShownMessages(m_fixture->Prompts)));
        QCOMPARE(m_form->windowTitle(), kCaption + " -" + tree.displayTextOf(item) + "-");

        const QString folder = PathToQString(skin.parent_path());
        const auto listed = [&](const QString& name) {
            const QModelIndex parent = tree.indexOfPath(folder); // a new listing has new indexes
            for (int row = 0; row < tree.model()->rowCount(parent); ++row)
                if (tree.displayTextOf(tree.model()->index(row, 0, parent)) == name)
                    return true;
            return false;
        };
        fs::create_directory(skin.parent_path() / "new");
        QTest::qWait(100);
        QVERIFY(!listed("new")); // the tree does not watch the disk
        QTest::keyClick(&tree, Qt::Key_F5);
        QTRY_VERIFY(listed("new"));
        QCOMPARE(tree.path(), PathToQString(skin)); // the selection stays
    }

    void captionAndTreeNameTheSkinThePreviewShows()
    {
        const fs::path first = m_fixture->writeSkin("First");
        m_form->OpenDropped(PathToQString(first));
        QCOMPARE(m_form->windowTitle(), kCaption + " -First-");

        // An archive without a skin leaves the preview, so the caption too.
        const fs::path empty = m_fixture->root() / "empty.wsz";
        ZipWriter(empty).addFile("readme.txt", "no skin");
        QStringList captions;
        m_fixture->Prompts.onShow = [&](const ScriptedPrompts::Shown&) { captions << m_form->windowTitle(); };
        m_fixture->Dialogs.openFiles.push_back(PathToQString(empty));
        m_form->RunHandler([&] { m_form->wszW1Click(); });
        QCOMPARE(captions, QStringList{kCaption + " -First-"});

        // 開く names the folder, and the tree selects it; a Japanese name too.
        const fs::path second = m_fixture->writeSkin("二番目");
        m_fixture->Dialogs.folders.push_back(PathToQString(second));
        m_form->O1Click();
        QCOMPARE(m_form->windowTitle(), kCaption + QStringLiteral(" -二番目-"));
        QCOMPARE(m_form->ShellTreeView1->path(), PathToQString(second));
    }

    void clickOnArchiveExtractsItWithoutExpandButton()
    {
        const fs::path archive = m_fixture->writeSkinArchive("Packed.WSZ", "Packed");
        SkinTreeView& tree = *m_form->ShellTreeView1;
        const QPersistentModelIndex item = ShowItem(tree, archive);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, CenterOf(tree, item));
        QVERIFY2(m_fixture->app().SkinLoaded, qPrintable(ShownMessages(m_fixture->Prompts)));
        QCOMPARE(m_form->windowTitle(), kCaption + " -Packed.WSZ-");
        QVERIFY(!tree.model()->hasChildren(item));
        QCOMPARE(m_fixture->app().OpenName, PathToQString(archive));
        QVERIFY(fs::exists(m_form->shownSkinFolder() / "Skin" / "Packed" / "main.bmp"));
    }

    void archiveDialogPresetsAndAnyExtension()
    {
        // What other windows keep in the working folder is theirs.
        fs::create_directories(m_fixture->Files.WorkFolder);
        Touch(m_fixture->Files.WorkFolder / "left-over");
        const fs::path rar = m_fixture->root() / "skin.rar";
        Touch(rar);
        m_fixture->Dialogs.openFiles.push_back(PathToQString(rar));
        m_form->RunHandler([&] { m_form->wszW1Click(); });
        const ScriptedDialogs::Call& call = m_fixture->Dialogs.calls.back();
        QCOMPARE(call.Title, QStringLiteral("wszファイルを選んでください"));
        QCOMPARE(call.Initial, QStringLiteral("*.wsz"));
        QCOMPARE(call.Filters, (QStringList{QStringLiteral("Winanp Skin Zipファイル(*.wsz)"),
                                            QStringLiteral("Zipファイル(*.zip)"),
                                            QStringLiteral("全てのファイル(*.*)")}));
        // A file that is no archive is said, and touches nobody's files.
        QVERIFY(fs::exists(m_fixture->Files.WorkFolder / "left-over"));
        QVERIFY(!m_fixture->app().SkinLoaded);
        QCOMPARE(m_fixture->Prompts.shown().size(), size_t(1));
        QVERIFY(m_fixture->Prompts.shown()[0].Text.contains(QStringLiteral("skin.rar")));
        QCOMPARE(m_fixture->app().OpenName, PathToQString(rar));

        // A Japanese archive whose folder is stored in Shift-JIS (日本) loads.
        const fs::path japanese = m_fixture->writeSkinArchive("日本のスキン.wsz", "\x93\xfa\x96\x7b");
        m_fixture->Dialogs.openFiles.push_back(PathToQString(japanese));
        m_form->RunHandler([&] { m_form->wszW1Click(); });
        QVERIFY2(m_fixture->app().SkinLoaded, qPrintable(ShownMessages(m_fixture->Prompts)));
        QCOMPARE(m_form->windowTitle(), kCaption + QStringLiteral(" -日本のスキン.wsz-"));
    }

    void droppedFolderOpensAsATreeClickWould()
    {
        const fs::path skin = m_fixture->writeSkin("Dropped");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(PathToQString(skin))});
        const QPoint at(400, 200);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_form, &drop);
        // The drop is over before the skin opens: the program it came from
        // does not wait for the open, nor for a message about it.
        QVERIFY(!m_fixture->app().SkinLoaded);
        QTRY_VERIFY(m_fixture->app().SkinLoaded);
        QCOMPARE(m_form->windowTitle(), kCaption + " -Dropped-");
        m_form->OpenDropped(PathToQString(m_fixture->root())); // no skin there
        QCOMPARE(m_form->windowTitle(), kCaption + " -Dropped-");
        QCOMPARE(m_fixture->Prompts.shown().back().Text, kNoSkinFolder);
    }

    // Collapsing a folder above the selected skin hides the selection: it
    // moves to the collapsed folder, and nothing is loaded again, so the
    // settings made for the skin stay.
    void collapseAboveTheSelectionKeepsTheSkinAndItsSettings()
    {
        const fs::path skin = m_fixture->writeSkin("Kept");
        SkinTreeView& tree = *m_form->ShellTreeView1;
        const QPersistentModelIndex item = ShowItem(tree, skin);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, CenterOf(tree, item));
        QVERIFY(m_fixture->app().SkinLoaded);
        m_form->CheckBox7->click(); // 太字
        const QPersistentModelIndex above = item.parent();
        EnsureVisible(tree, above);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, ButtonOf(tree, above));
        QVERIFY(!tree.isExpanded(above));
        QCOMPARE(tree.path(), PathToQString(skin.parent_path()));
        QVERIFY(m_form->CheckBox7->isChecked());
        QVERIFY(m_fixture->session().State.ScrollTextFont().Bold);
        QVERIFY(!m_form->treeCollapsing());
    }

    // However a collapse came, the next click on a skin folder opens it.
    void everyWayOfCollapsingEnds_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("double click") << false;
        QTest::newRow("left arrow") << true;
    }
    void everyWayOfCollapsingEnds()
    {
        QFETCH(bool, byKey);
        const fs::path folder = m_fixture->root() / "skins" / "folder";
        fs::create_directories(folder / "inside");
        const fs::path skin = m_fixture->writeSkin("Opened");
        fs::create_directory(skin / "extras");
        SkinTreeView& tree = *m_form->ShellTreeView1;
        const QPersistentModelIndex closing = ShowItem(tree, folder);
        tree.expandItem(closing);
        QTRY_VERIFY(tree.model()->rowCount(closing) == 1);
        tree.selectItem(closing);
        if (byKey) {
            QTest::keyClick(&tree, Qt::Key_Left);
        } else {
            const QPoint at = CenterOf(tree, closing);
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                                      QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
                const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
                QMouseEvent event(type, at, tree.viewport()->mapToGlobal(at), Qt::LeftButton, held, {});
                QApplication::sendEvent(tree.viewport(), &event);
            }
        }
        QVERIFY(!tree.isExpanded(closing));
        QVERIFY(!m_form->treeCollapsing());
        const QPersistentModelIndex item = ShowItem(tree, skin);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, CenterOf(tree, item));
        QVERIFY(m_fixture->app().SkinLoaded);
        QVERIFY(tree.isExpanded(item));
    }

private:
    std::unique_ptr<WindowFixture> m_fixture;
    TForm1* m_form = nullptr;
};

} // namespace tf::test

TF_WINDOW_TEST_MAIN(tf::test::SkinBrowserTest)
#include "SkinBrowserTest.moc"

// The hit test and the step rule of the playlist drag, without widgets.

#include "editor/PlaylistDrag.h"

#include <QTest>

namespace tf {

class PlaylistDragTest : public QObject {
    Q_OBJECT
private slots:
    void hitTest_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("mode");
        // A 275 x 116 picture.
        QTest::newRow("inside the corner reach") << 272 << 113 << int(PlaylistDragMode::Corner);
        QTest::newRow("corner reach ends 4 pixels out") << 279 << 120 << int(PlaylistDragMode::Corner);
        QTest::newRow("5 pixels out is nothing") << 280 << 110 << int(PlaylistDragMode::None);
        QTest::newRow("right edge above the corner") << 273 << 50 << int(PlaylistDragMode::RightEdge);
        QTest::newRow("bottom edge left of the corner") << 100 << 118 << int(PlaylistDragMode::BottomEdge);
        QTest::newRow("middle") << 100 << 50 << int(PlaylistDragMode::None);
        QTest::newRow("right of the picture, below it") << 276 << 130 << int(PlaylistDragMode::None);
    }
    void hitTest()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, mode);
        QCOMPARE(int(HitTestPlaylist({x, y}, 275, 116)), mode);
        QCOMPARE(StartPlaylistDrag({x, y}, 275, 116).Active, mode != int(PlaylistDragMode::None));
    }

    void cornerDragToBothSteps()
    {
        const PlaylistDrag drag = StartPlaylistDrag({274, 115}, 275, 116);
        QCOMPARE(PlaylistDragStep(drag, {330, 180}, {0, 0}), PlaylistSteps(2, 2));
    }

    void truncationTowardZeroKeepsOneStepShortAtZero()
    {
        const PlaylistDrag drag{true, PlaylistDragMode::Corner};
        for (int x = 251; x <= 299; ++x)
            QCOMPARE(PlaylistDragStep(drag, {x, 200}, {3, 2})->width, 0);
        QCOMPARE(PlaylistDragStep(drag, {250, 300}, {3, 2}), PlaylistSteps(3, 6));
        for (int y = 88; y <= 144; ++y)
            QCOMPARE(PlaylistDragStep(drag, {400, y}, {3, 2})->height, 0);
        QCOMPARE(PlaylistDragStep(drag, {400, 87}, {3, 2}), PlaylistSteps(5, 2));
    }

    void edgeDragsKeepTheOtherSide()
    {
        const PlaylistDrag right{true, PlaylistDragMode::RightEdge};
        const PlaylistDrag bottom{true, PlaylistDragMode::BottomEdge};
        QCOMPARE(PlaylistDragStep(right, {400, 400}, {1, 1}), PlaylistSteps(5, 1));
        QCOMPARE(PlaylistDragStep(bottom, {400, 400}, {1, 1}), PlaylistSteps(1, 9));
        // A vertical move on the right edge still recomposes, at the same size.
        QCOMPARE(PlaylistDragStep(right, {300, 400}, {1, 1}), PlaylistSteps(1, 1));
    }

    void nothingWithoutChangeOrWithoutDrag()
    {
        QVERIFY(!PlaylistDragStep({true, PlaylistDragMode::Corner}, {310, 150}, {1, 1}));
        QVERIFY(!PlaylistDragStep({false, PlaylistDragMode::Corner}, {400, 400}, {0, 0}));
        QVERIFY(!PlaylistDragStep({true, PlaylistDragMode::None}, {400, 400}, {0, 0}));
    }
};

} // namespace tf

namespace QTest {
template <>
inline char* toString(const tf::PlaylistSteps& steps)
{
    return qstrdup(QByteArray::number(steps.width) + " x " + QByteArray::number(steps.height) + " steps");
}
} // namespace QTest

QTEST_GUILESS_MAIN(tf::PlaylistDragTest)
#include "PlaylistDragTest.moc"

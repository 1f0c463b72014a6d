// The settings panel and the preview: controls and state kept in step, the
// font and colour dialogs, the time and analyzer groups, the playlist drag,
// the equalizer placement, errors inside handlers and the save command.

#include "WindowFixture.h"

#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "skin/Playlist.h"
#include "support/SkinFixture.h"
#include "platform/ShiftJis.h"
#include "window/DisplayControls.h"
#include "window/FontDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QRadioButton>
#include <QToolButton>

namespace fs = std::filesystem;

namespace tf::test {

class SettingsPanelTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_fixture = std::make_unique<WindowFixture>();
        m_form = m_fixture->openShown();
        QVERIFY(m_form);
        m_form->OpenDropped(PathToQString(m_fixture->writeSkin("panel")));
        QVERIFY2(app().SkinLoaded, qPrintable(ShownMessages(m_fixture->prompts)));
    }
    void cleanup() { m_fixture.reset(); }

    void loadShowsStateAndCheckBoxesWriteIt()
    {
        QCOMPARE(m_form->Edit4->text(), QStringLiteral("MS UI Gothic"));
        QCOMPARE(m_form->Edit3->value(), 8);
        QCOMPARE(m_form->Edit5->value(), 8);
        SkinState& state = session().State;
        const std::vector<std::pair<QCheckBox*, bool*>> boxes = {
            {m_form->CheckBox5, &state.ScrollTextFont().Shadow}, {m_form->CheckBox6, &state.InfoFont().Shadow},
            {m_form->CheckBox7, &state.ScrollTextFont().Bold},   {m_form->CheckBox8, &state.ScrollTextFont().Italic},
            {m_form->CheckBox9, &state.ShowScrollText},          {m_form->CheckBox10, &state.ShowInfo},
            {m_form->CheckBox11, &state.ShowAnalyzer},           {m_form->CheckBox12, &state.ShowTime},
            {m_form->CheckBox13, &state.ShowSeekBar},
        };
        for (const auto& [box, flag] : boxes) {
            QCOMPARE(box->isChecked(), *flag);
            box->click();
            QVERIFY2(box->isChecked() == *flag, qPrintable(box->objectName()));
        }
    }

    // The player's view replaces the composed images and follows every
    // change at once: hiding the time display clears its field, and only
    // around it.
    void korvelViewFollowsTheSettings()
    {
        m_form->KorvelViewSwitch->click();
        QVERIFY(m_form->KorvelPicture->isVisible() && !m_form->Image1->isVisible());
        const QImage before = m_form->KorvelPicture->picture();
        QVERIFY(!before.isNull());
        m_form->CheckBox12->click(); // the time display off
        QTRY_VERIFY(m_form->KorvelPicture->picture() != before);
        const QImage after = m_form->KorvelPicture->picture();
        const QRect timeField(52, 26, 45, 13); // TimeField, the main window at the top left
        QRect changed;
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (after.pixel(x, y) != before.pixel(x, y))
                    changed |= QRect(x, y, 1, 1);
        QVERIFY2(timeField.adjusted(-2, -2, 2, 2).contains(changed),
                 qPrintable(QStringLiteral("changed %1,%2 %3x%4").arg(changed.x()).arg(changed.y())
                                .arg(changed.width()).arg(changed.height())));
        m_form->KorvelViewSwitch->click();
        QVERIFY(!m_form->KorvelPicture->isVisible() && m_form->Image1->isVisible());
    }

    // What is typed into a size box is a number within its limits, or does
    // not get in; a skin's own size beyond them shows as it is.
    void sizeBoxesKeepToTheirLimits()
    {
        for (FontSizeBox* box : {m_form->Edit3, m_form->Edit5, m_form->Edit2}) {
            box->selectAll();
            QTest::keyClicks(box, QStringLiteral("1x"));
            QCOMPARE(box->text(), QStringLiteral("1"));
            box->selectAll();
            QTest::keyClicks(box, QStringLiteral("200"));
            QCOMPARE(box->value(), 20);
        }
        QCOMPARE(session().State.ScrollTextFont().Size, 20);
        QCOMPARE(session().State.PlaylistFont().Size, 20);
        QCOMPARE(session().Editor.TimeFontSizeText, std::string("20"));

        const fs::path large = m_fixture->writeSkin("large text");
        // (Beyond 72 points either way the load itself brings a size in.)
        SkinFixture(large).writeText("Sexyfont.txt", "[YunaSoft SexyFont Plug-In]\r\nFontSize=-12\r\n");
        m_form->OpenDropped(PathToQString(large));
        QCOMPARE(m_form->Edit3->value(), -12);
        QCOMPARE(session().State.ScrollTextFont().Size, -12);
        QVERIFY(m_fixture->prompts.shown().empty());

        // Beyond it the size is brought in with a warning, and the song
        // title's field, as high as the font, is cut to the window.
        const fs::path huge = m_fixture->writeSkin("huge text");
        SkinFixture(huge).writeText("Sexyfont.txt", "[YunaSoft SexyFont Plug-In]\r\nFontSize=100\r\n");
        m_form->OpenDropped(PathToQString(huge));
        QCOMPARE(m_form->Edit3->value(), 72);
        QCOMPARE(session().State.ScrollTextFont().Size, 72);
        QCOMPARE(m_fixture->prompts.shown().size(), size_t(2));
        QVERIFY(m_fixture->prompts.shown()[0].text.contains(QStringLiteral("FontSize=100")));
        QVERIFY(m_fixture->prompts.shown()[1].text.contains(QStringLiteral("曲名の欄")));
    }

    // The playlist's size in steps beside its drag corner: it follows the
    // drag, sets the size, stops at its limit and goes back to the least.
    void playlistSizeBoxes()
    {
        QVERIFY(m_form->PlaylistSizePanel->isVisible());
        m_form->Panel1MouseDown({274, 115});
        m_form->Panel1MouseMove({330, 180});
        QCOMPARE(m_form->PlaylistWidthBox->value(), 2);
        QCOMPARE(m_form->PlaylistHeightBox->value(), 2);
        m_form->PlaylistWidthBox->setValue(3);
        QCOMPARE(m_form->Image2->size(), QSize(275 + 75, 116 + 58));
        QCOMPARE(m_form->PlaylistWidthBox->maximum(), kMaxPlaylistSteps);
        m_form->Panel1MouseMove({275 + 25 * 300, 180});
        QCOMPARE(session().State.PlaylistWidthSteps, kMaxPlaylistSteps);
        m_form->PlaylistResetButton->click();
        QCOMPARE(m_form->Image2->size(), QSize(275, 116));
        QCOMPARE(m_form->PlaylistWidthBox->value(), 0);
    }

    void scrollTextFontDialog()
    {
        m_form->CheckBox7->setChecked(true);
        m_fixture->dialogs.fonts.push_back(std::nullopt);
        m_form->Button3Click();
        const FontChoice preset = m_fixture->dialogs.calls.back().font;
        QCOMPARE(preset, (FontChoice{"MS UI Gothic", 8, true, false, ToQColor(session().State.TextColor)}));
        QCOMPARE(session().State.ScrollTextFont().Name, std::string("MS UI Gothic")); // cancelled

        m_fixture->dialogs.fonts.push_back(FontChoice{QStringLiteral("ＭＳ ゴシック"), 11, false, true, Qt::red});
        m_form->Button3Click();
        const TFontSetting& font = session().State.ScrollTextFont();
        QCOMPARE(m_form->Edit4->text(), QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(font.Name, std::string("\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e"));
        QCOMPARE(font.Size, 11);
        QVERIFY(!font.Bold && font.Italic);

    }

    void playlistFontDialog()
    {
        m_fixture->dialogs.fonts.push_back(std::nullopt);
        m_form->Button2Click();
        QCOMPARE(m_fixture->dialogs.calls.back().font, (FontChoice{"MS UI Gothic", 8, false, false, Qt::black}));
        QCOMPARE(m_form->Edit5->value(), 8);
        m_fixture->dialogs.fonts.push_back(FontChoice{QStringLiteral("IPAGothic"), 9, true, true, Qt::red});
        m_form->Button2Click();
        QCOMPARE(m_form->Edit5->value(), 9);
        QCOMPARE(session().State.PlaylistFont(), (TFontSetting{"IPAGothic", 9, false, false, false}));
    }

    // The stand-ins by the names this machine lists them under (a Japanese
    // locale gives the IPA faces Japanese ones).
    void fontDialogKeepsTheWindowsNameOfItsStandIn()
    {
        QCOMPARE(KeepWindowsFace(QStringLiteral("MS UI Gothic"), ResolveFace(QStringLiteral("MS UI Gothic"))),
                 QStringLiteral("MS UI Gothic"));
        const QString otherStandIn = ResolveFace(QStringLiteral("MS Gothic"));
        QCOMPARE(KeepWindowsFace(QStringLiteral("MS UI Gothic"), otherStandIn), otherStandIn);
        QCOMPARE(KeepWindowsFace(QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
    }

    void fontDialogListsWindowsFacesAndOpensOnThePreset()
    {
        const QStringList windowsFirst = {
            "MS UI Gothic", "ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝", "メイリオ", "Meiryo UI",
            "Yu Gothic UI", "游ゴシック", "游明朝", "Arial", "Tahoma", "Verdana", "Times New Roman", "Courier New"};
        const FontChoice preset{QStringLiteral("MS UI Gothic"), 9, true, false, Qt::red};
        const QString standIn = ResolveFace(preset.Face);
        const QString otherStandIn = ResolveFace(QStringLiteral("MS Gothic"));
        FontPicker picker(preset);
        for (int row = 0; row < windowsFirst.size(); ++row)
            QCOMPARE(picker.faceList()->item(row)->text(), windowsFirst[row]);
        const auto installed = picker.faceList()->findItems(standIn, Qt::MatchExactly);
        QVERIFY(!installed.isEmpty() && picker.faceList()->row(installed.first()) >= WindowsFaceNames().size());
        QCOMPARE(picker.faceList()->currentItem()->text(), preset.Face);
        QCOMPARE(picker.sizeBox()->value(), 9);
        QCOMPARE(picker.choice(), preset); // OK without a change
        QCOMPARE(picker.standInLabel()->text(), QStringLiteral("表示には %1 を使います").arg(standIn));
        QVERIFY(picker.warningLabel()->text().isEmpty());
        picker.selectFace(otherStandIn);
        QCOMPARE(picker.choice().Face, otherStandIn);
        QVERIFY(picker.warningLabel()->text().contains(QStringLiteral("Korvel で見つからないことがあります")));

        // A face of the skin that no list has comes first and stays chosen.
        FontPicker odd(FontChoice{QStringLiteral("ms ui gothic"), 8, false, false, Qt::black});
        QCOMPARE(odd.choice().Face, QStringLiteral("ms ui gothic"));
        FontPicker unknown(FontChoice{QStringLiteral("Skin Face"), 8, false, false, Qt::black});
        QCOMPARE(unknown.faceList()->item(0)->text(), QStringLiteral("Skin Face"));
        QCOMPARE(unknown.choice().Face, QStringLiteral("Skin Face"));
    }

    void unchangedFaceKeepsItsBytes()
    {
        const std::string stored = "Face\xFF\x82"; // no CP932 round trip
        session().State.ScrollTextFont().Name = stored;
        m_form->Edit4->setText(DecodeCp932(stored));
        m_fixture->dialogs.fonts.push_back(FontChoice{m_form->Edit4->text(), 10, false, false, Qt::black});
        m_form->Button3Click();
        QCOMPARE(session().State.ScrollTextFont().Name, stored);
        QCOMPARE(session().State.ScrollTextFont().Size, 10);
    }

    void carriedOverPartsAreSaidAndSavingAMixAsks()
    {
        QCOMPARE(m_form->CarriedOverLabel->text(), QString());
        const fs::path lacking = m_fixture->writeSkin("lacking");
        SkinFixture(lacking).remove("eqmain.bmp").remove("pledit.bmp").remove("numbers.bmp").remove("nums_ex.bmp");
        m_form->OpenDropped(PathToQString(lacking));
        QCOMPARE(m_form->CarriedOverLabel->text(),
                 QStringLiteral("前のスキンのままの部分: イコライザー, プレイリスト, 時間の数字"));

        const fs::path out = m_fixture->root() / "out";
        fs::create_directories(out);
        m_fixture->dialogs.saveFiles.push_back(PathToQString(out / "mix.ssf"));
        m_fixture->dialogs.questions = {false, true};
        m_form->S1->trigger();
        QCOMPARE(m_fixture->dialogs.calls.back().kind, QStringLiteral("question"));
        QVERIFY(m_fixture->dialogs.calls.back().initial.contains(QStringLiteral("イコライザー, プレイリスト, 時間の数字")));
        QVERIFY(!fs::exists(out / "mix.ssf"));
        m_form->S1->trigger();
        QVERIFY(fs::exists(out / "mix.ssf"));

        m_form->OpenDropped(PathToQString(m_fixture->writeSkin("whole")));
        QCOMPARE(m_form->CarriedOverLabel->text(), QString());
    }

    void timeGroupRendersAfterEveryChange()
    {
        EditorSettings& editor = session().Editor;
        const auto rendered = [this] {
            const bool done = !session().Previews.TimeDigits.isEmpty();
            session().Previews.TimeDigits = Bitmap(); // forget it, to see the next render
            return done;
        };
        rendered();
        m_form->UpDown1->clickUp();
        QVERIFY(rendered());
        m_form->UpDown1->clickUp();
        m_form->UpDown1->clickDown();
        QCOMPARE(editor.TimeSlashOffset, -1);
        QVERIFY(rendered());
        m_fixture->dialogs.fonts.push_back(std::nullopt);
        m_form->Button1Click();
        QVERIFY(rendered()); // cancelled, rendered all the same
        m_fixture->dialogs.colors.push_back(std::nullopt);
        QTest::mouseClick(m_form->Shape1, Qt::LeftButton);
        QCOMPARE(m_fixture->dialogs.calls.back().color, QColor(Qt::blue));
        QVERIFY(rendered());
        m_fixture->dialogs.colors.push_back(QColor(Qt::red));
        QTest::mouseClick(m_form->Shape1, Qt::LeftButton);
        QCOMPARE(editor.TimeFontColor, MakeColor(255, 0, 0));
        QVERIFY(rendered());
        m_form->Edit2->setValue(9);
        QVERIFY(rendered());
        QCOMPARE(editor.TimeFontSizeText, std::string("9"));
        m_form->CheckBox4->click();
        QVERIFY(editor.TransparentTime && rendered());
        QCOMPARE(m_form->Image3->size(), QSize(117, 13));
    }

    void upDownStopsAtItsEnds()
    {
        for (int i = 0; i < 60; ++i)
            m_form->UpDown1->clickUp();
        QCOMPARE(session().Editor.TimeSlashOffset, -50);
    }

    void analyzerPreviewScale()
    {
        m_form->RadioButton2->click();
        QCOMPARE(m_form->Image4->size(), QSize(10, 32));
        QCOMPARE(session().Previews.Analyzer.image().size(), QSize(5, 16));
        m_form->RadioButton1->click();
        QCOMPARE(m_form->Image4->size(), QSize(5, 16));
    }

    void onlyTheTimeColourSwatchReacts()
    {
        for (ColorShape* shape : {m_form->Shape2, m_form->Shape3, m_form->Shape4, m_form->Shape5,
                                  m_form->Shape6, m_form->Shape7, m_form->Shape8, m_form->Shape9})
            QTest::mouseClick(shape, Qt::LeftButton);
        QVERIFY(m_fixture->dialogs.calls.empty());
    }

    void cornerDragWithTheMouse()
    {
        QWidget* image = m_form->Image2;
        QTest::mouseMove(image, {274, 50});
        QCOMPARE(m_form->Panel1->cursor().shape(), Qt::SizeHorCursor);
        QTest::mouseMove(image, {100, 114});
        QCOMPARE(m_form->Panel1->cursor().shape(), Qt::SizeVerCursor);
        QTest::mouseMove(image, {274, 115});
        QCOMPARE(m_form->Panel1->cursor().shape(), Qt::SizeFDiagCursor);
        QTest::mousePress(image, Qt::LeftButton, {}, {274, 115});
        QVERIFY(m_form->playlistDrag().Active);
        SendMove(image, {330, 180});
        QCOMPARE(image->size(), QSize(325, 174));
        QCOMPARE(session().Previews.Playlist.image().size(), QSize(325, 174));
        QTest::mouseRelease(image, Qt::LeftButton, {}, {330, 180});
        QVERIFY(!m_form->playlistDrag().Active);
        SendMove(image, {400, 400});
        QCOMPARE(image->size(), QSize(325, 174)); // no drag without the button
    }

    void bottomEdgeDragKeepsTheWidth()
    {
        m_form->Panel1MouseDown({50, 114});
        m_form->Panel1MouseMove({500, 200});
        QCOMPARE(m_form->Image2->size(), QSize(275, 116 + 58));
        QCOMPARE(session().State.PlaylistWidthSteps, 0);
    }

    void equalizerPlacement()
    {
        m_form->CheckEQUp->click();
        QCOMPARE(m_form->Image5->y(), 1);
        QCOMPARE(m_form->Image1->y(), 117);
        m_form->CheckBox1->click();
        QVERIFY(m_form->Image5->isHidden() && m_form->CheckEQUp->isHidden());
        QCOMPARE(m_form->Image1->y(), 1);
        QCOMPARE(m_form->Image2->y(), 233);
        m_form->CheckBox1->click();
        QVERIFY(!m_form->Image5->isHidden() && !m_form->CheckEQUp->isHidden());
        QCOMPARE(m_form->Image5->y(), 1);
    }

    void errorInsideALoadLeavesTheWindowUsable()
    {
        WindowFixture fixture;
        TForm1& form = fixture.open();
        const fs::path broken = fixture.writeSkin("broken");
        SkinFixture(broken).writeText("main.bmp", "BM broken");
        form.OpenDropped(PathToQString(broken));
        QCOMPARE(fixture.prompts.shown().size(), size_t(1));
        QCOMPARE(fixture.prompts.shown()[0].icon, MessageIcon::Error);
        QCOMPARE(fixture.prompts.shown()[0].caption, QStringLiteral("Tessaform Convertor"));
        QVERIFY(fixture.prompts.shown()[0].text.contains(QStringLiteral("main.bmp は読み込めないビットマップです")));
        QVERIFY(!fixture.app().SkinLoaded);
        QVERIFY(!form.S1->isEnabled());
        QVERIFY(!fixture.session().State.MainNormalImage.isEmpty()); // composed before the error
        form.OpenDropped(PathToQString(fixture.writeSkin("good")));
        QVERIFY(fixture.app().SkinLoaded && form.S1->isEnabled());
    }

    void saveFromTheMenu()
    {
        const fs::path out = m_fixture->root() / "out";
        fs::create_directories(out);
        m_fixture->dialogs.saveFiles.push_back(PathToQString(out / "panel.ssf"));
        m_form->S1->trigger();
        QCOMPARE(m_fixture->dialogs.calls.back().initial, QStringLiteral("panel.ssf")); // the skin's name
        QCOMPARE(m_fixture->dialogs.calls.back().title, QStringLiteral("ssf")); // the default suffix
        QCOMPARE(app().SaveName, PathToQString(out / "panel.ssf"));
        QVERIFY(fs::exists(out / "panel.ssf") && fs::exists(out / "MainNormal.bmp"));
        QVERIFY2(m_fixture->prompts.shown().empty(), qPrintable(ShownMessages(m_fixture->prompts)));
        m_fixture->dialogs.saveFiles.push_back(std::nullopt);
        m_form->S1->trigger();
        QCOMPARE(app().SaveName, PathToQString(out / "panel.ssf"));
    }

private:
    SkinSession& session() { return m_fixture->session(); }
    AppValues& app() { return m_fixture->app(); }
    static void SendMove(QWidget* widget, QPoint to)
    {
        // QTest::mouseMove carries no button state; a held button needs the event itself.
        QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(widget, &move);
    }

    std::unique_ptr<WindowFixture> m_fixture;
    TForm1* m_form = nullptr;
};

} // namespace tf::test

TF_WINDOW_TEST_MAIN(tf::test::SettingsPanelTest)
#include "SettingsPanelTest.moc"

#pragma once

// A main window as the program builds it, in a temporary executable folder
// (the data files copied there, no settings file yet), with every message
// box and dialog answered by script.

#include "support/ScriptedPrompts.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"
#include "window/BatchDialogs.h"
#include "window/Dialogs.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QTest>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace tf::test {

// Answers each dialog from its queue; an empty queue cancels.
class ScriptedDialogs : public Dialogs {
public:
    struct Call {
        QString Kind; // "folder", "open", "save", "font", "color", "question"
        QString Title;
        QString Initial;
        QStringList Filters;
        FontChoice Font;
        QColor Color;
    };

    std::deque<std::optional<QString>> folders, openFiles, saveFiles;
    std::deque<std::optional<FontChoice>> fonts;
    std::deque<std::optional<QColor>> colors;
    std::deque<bool> questions; // true answers OK
    std::deque<std::optional<BatchSettings>> batchSettings;
    std::vector<Call> calls;

    std::optional<QString> chooseFolder(QWidget*, const QString& title, const QString& root) override;
    std::optional<QString> chooseOpenFile(QWidget*, const QString& title, const QString& initialName,
                                          const QStringList& filters) override;
    std::optional<QString> chooseSaveFile(QWidget*, const QString& initialName, const QString& defaultSuffix,
                                          const QStringList& filters) override;
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice& preset) override;
    std::optional<QColor> chooseColor(QWidget*, const QColor& preset) override;
    bool askOkCancel(QWidget*, const QString& caption, const QString& text) override;
    // The call's title holds the number of skins, its initial text the
    // preset folder.
    std::optional<BatchSettings> chooseBatchSettings(QWidget*, int skinCount, const BatchSettings& preset) override;
};

class WindowFixture {
public:
    WindowFixture();
    ~WindowFixture();

    TForm1& open();  // creates the window (FormCreate)
    // Creates the window and shows it; null when it never came on screen.
    TForm1* openShown();
    void close();    // destroys it (FormDestroy)
    TForm1& form() { return *m_form; }
    SkinSession& session() { return m_form->session(); }
    AppValues& app() { return m_form->app(); }

    // A standard synthetic skin in a folder of its own below the temporary folder.
    std::filesystem::path writeSkin(const std::string& name);
    // The same skin packed as an archive (the files below folderInArchive),
    // changed first by change when given.
    std::filesystem::path writeSkinArchive(const std::string& archiveName,
                                           const std::string& folderInArchive = {},
                                           const std::function<void(SkinFixture&)>& change = {});
    std::filesystem::path root() const { return m_root.path(); }

    ScriptedPrompts Prompts;
    ScriptedDialogs Dialogs;
    WindowFiles Files;

private:
    TempFolder m_root;
    std::unique_ptr<TForm1> m_form;
};

// For a test's init(): a fresh fixture whose window is on screen, form
// pointing at it. False when the window never came up.
bool StartShown(std::unique_ptr<WindowFixture>& fixture, TForm1*& form);

// Messages the window showed, as "caption: text" lines, for failure output.
QString ShownMessages(const ScriptedPrompts& prompts);

// Inside every group box the controls lie within the frame, show their
// captions whole and do not run into one another.
void CheckControlsFit(TForm1& form);

// The time digits of numbers.bmp and nums_ex.bmp in one colour, so that a
// test can tell whose digits a strip holds.
void PaintDigits(SkinFixture& skin, QColor color);

// QApplication set up as main() sets it up, on whatever platform is given.
int RunWindowTest(int argc, char** argv, QObject& test);

} // namespace tf::test

#define TF_WINDOW_TEST_MAIN(TestClass)                          \
    int main(int argc, char** argv)                             \
    {                                                           \
        TestClass test;                                         \
        return ::tf::test::RunWindowTest(argc, argv, test);     \
    }

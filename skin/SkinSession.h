#pragma once

// Everything the main window owns for one run, without the window: the skin
// state, the control values, the preview pictures and the application
// values. The window shows it; the command-line converter and the tests drive
// it directly. One session per converted skin keeps conversions independent.

#include "platform/Prompts.h"
#include "skin/SkinState.h"

#include <QString>
#include <filesystem>

namespace tf {

inline const QString kMainCaption = QStringLiteral("Tessaform Convertor 1.0 β6");

struct AppValues {
    std::filesystem::path ExeFolder; // the data files and the working folder live here
    // Working folder for archives ("tmp" beside the executable when that
    // folder is writable, else in the user's cache folder).
    std::filesystem::path WorkFolder;
    QString OpenName = QStringLiteral("*.wsz"); // initial name of the archive dialog
    QString SaveName = QStringLiteral("*.ssf"); // initial name of the save dialog
    QString FolderDialogRoot;                   // Root of FD1
    bool SkinLoaded = false;
    QString Caption = kMainCaption; // main window caption
};

struct SkinSession {
    SkinSession(std::filesystem::path exeFolder, Prompts& prompts);

    AppValues App;
    SkinState State;
    EditorSettings Editor;
    PreviewPictures Previews;
    Prompts* Messages; // never null

    Prompts& prompts() const { return *Messages; }
};

// Start-up work of the main window's creation that the core does: the table
// of source file names, the four geometry files (missing or malformed ones
// reported through the prompts), the ten empty target images.
void InitializeSession(SkinSession& session);

// Makes folder the current skin source: resolves the 20 source paths (names
// matched without regard to case) and remembers the folder for the folder
// dialog.
void SetSkinSource(SkinSession& session, const std::filesystem::path& folder);

// True when the resolved source file exists.
bool SourcePresent(const SkinState& state, SourceFile file);

} // namespace tf

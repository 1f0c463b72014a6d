#pragma once

class QCoreApplication;

namespace tf {

// Loads Qt's own Japanese translation (qtbase_ja.qm) so that the standard
// dialogs and buttons read in Japanese as the rest of the window does. It is
// looked for beside the executable ("translations") and where Qt keeps its
// translations; false when none was found, and the dialogs stay English.
bool InstallQtTranslation(QCoreApplication& application);

} // namespace tf
